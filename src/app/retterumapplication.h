#pragma once

#include <QApplication>

// Catches what a command let through and shows it in the general error report; the program
// goes on.
class RetterumApplication : public QApplication {
    Q_OBJECT

public:
    RetterumApplication(int &argc, char **argv);

    // Before the first window; the face is known once the font configuration has been read.
    void useWindowFace();

    bool notify(QObject *receiver, QEvent *event) override;
};
