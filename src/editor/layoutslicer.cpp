#include "editor/layoutslicer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr qint64 kSliceMs = 6;
constexpr int kCharactersAtATime = 4000;

class LayoutSlicer : public QObject {
public:
    explicit LayoutSlicer(QTextDocument *doc)
        : QObject(doc->documentLayout())
        , m_doc(doc)
    {
        parent()->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        QElapsedTimer clock;
        clock.start();
        const int end = m_doc->characterCount() - 1;
        while (m_laidOutTo < end && clock.elapsed() < kSliceMs) {
            m_laidOutTo = std::min(end, m_laidOutTo + kCharactersAtATime);
            // Asking where a block lies lays the text out up to it, in Qt's small first steps.
            m_doc->documentLayout()->blockBoundingRect(m_doc->findBlock(m_laidOutTo));
        }
        if (m_laidOutTo < end)
            return true; // Qt's own step would lay out far more at once
        // All laid out: Qt's timers now find nothing left and report the size once.
        parent()->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QTextDocument *m_doc;
    int m_laidOutTo = 0;
};

} // namespace

void layOutInSlices(QTextDocument *doc)
{
    // Owned by the layout, so it goes wherever and whenever the document goes.
    new LayoutSlicer(doc);
}
