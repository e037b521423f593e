#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <vector>

namespace startup {

// The user's autostart folder: $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
QString autostartFolder();

// The shell's number for the reason a start failed, from the errno of the failure.
int shellErrorFromErrno(int errnum);

// The text for a shell start error number; the caller puts "Fejlinformation:\r" before it.
QString errorInfoText(int Nr);

// Runs a shell script with arguments as a process of its own, without waiting for it.
class ScriptLauncher {
public:
    ScriptLauncher() = default;
    ScriptLauncher(const ScriptLauncher &) = delete;
    ScriptLauncher &operator=(const ScriptLauncher &) = delete;
    ~ScriptLauncher();

    // 0 once the script runs, else the errno of the failure (the script can't be read, or no
    // process could be made).
    int start(const QString &script, const QStringList &arguments);
    // Collects the scripts that have ended, so that none lingers as a zombie.
    void reapFinished();

private:
    std::vector<pid_t> m_running;
};

} // namespace startup
