#pragma once

#include <QWidget>

// The help window with its topics. Not modal; closing it only hides it.
class Tinfoform : public QWidget {
    Q_OBJECT

public:
    explicit Tinfoform(QWidget *mainWindow);
};

extern Tinfoform *infoform;
