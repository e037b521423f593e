#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// The application's hints. Once the program is idle after pointer movement or menu
// highlighting it works out the current hint: the highlighted menu item's, else that of the
// control under the pointer or its nearest enclosing control with one, up to the window; only
// the part after the first "|". It reports the hint when it differs from the previous one.
// In its parent's window pop-up tooltips are shown for one control only.
class HintTracker : public QObject {
    Q_OBJECT

public:
    explicit HintTracker(QObject *parent = nullptr);
    ~HintTracker() override;

    void setTooltipWidget(QWidget *widget) { m_tooltipWidget = widget; }
    QString currentHint() const { return m_hint; }

    // The part after the first "|", or all of it.
    static QString longPart(const QString &hint);
    // The part before the first "|", or all of it.
    static QString shortPart(const QString &hint);

signals:
    void hintChanged(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();
    bool inOwnWindow(QObject *watched) const;

    QTimer m_idle;
    QString m_hint;
    QPointer<QWidget> m_tooltipWidget;
};
