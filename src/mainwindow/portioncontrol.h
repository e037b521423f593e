#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QSpinBox;

// "Portioner: [4] → [6]" above the ingredient list in read mode: the recipe's own number of
// servings and the number wanted. Where the recipe names none the first box reads "–" and the
// second becomes a factor (½×, 1×, 2×, 3×) until the user types the recipe's number.
class PortionControl : public QWidget {
    Q_OBJECT

public:
    explicit PortionControl(QWidget *parent = nullptr);

    // The recipe's own number of servings (0: not known), shown at 1×; announces nothing.
    void reset(int servings);

    double factor() const;
    int servings() const; // the recipe's own, 0 when not known
    int wanted() const;   // 0 when not known
    // "Til 6 personer", "Dobbelt opskrift"; empty at 1×.
    QString scaledFor() const;

    QSpinBox *antalBox = nullptr;  // the recipe's own number
    QSpinBox *oenskeBox = nullptr; // the number wanted
    QComboBox *faktorBox = nullptr;

signals:
    void factorChanged();
    // The user gave the recipe's own number of servings.
    void servingsTyped(int servings);

private:
    void showKind();

    QLabel *m_arrow = nullptr;
    double m_lastFactor = 1.0;
};
