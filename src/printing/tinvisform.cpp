#include "printing/tinvisform.h"

#include <QTextEdit>
#include <QVBoxLayout>

FormSlot<Tinvisform> invisform;

Tinvisform::Tinvisform(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("invisform"));
    setWindowTitle(QStringLiteral("Usynlig form"));
    resize(635, 300);
    memo = new QTextEdit(this);
    memo->setObjectName(QStringLiteral("memo"));
    memo->document()->setDefaultFont(QFont(QStringLiteral("Tahoma"), 8));
    memo->setPlainText(QStringLiteral("memo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
}
