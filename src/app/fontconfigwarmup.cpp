#include "app/fontconfigwarmup.h"

#include "editor/standinfaces.h"
#include "mainwindow/windowface.h"

#include <fontconfig/fontconfig.h>

FontconfigWarmUp::FontconfigWarmUp()
    : m_thread([] {
        FcInit();
        standinfaces::addRules();
        preferredFaceInstalled();
    })
{
}

FontconfigWarmUp::~FontconfigWarmUp()
{
    wait();
}

void FontconfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
