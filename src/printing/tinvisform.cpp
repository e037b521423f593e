#include "printing/tinvisform.h"

#include <QTextEdit>
#include <QVBoxLayout>

Tinvisform *invisform = nullptr;

Tinvisform::Tinvisform(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("invisform"));
    memo = new QTextEdit(this);
    memo->setObjectName(QStringLiteral("memo"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(memo);
}
