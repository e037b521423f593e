#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader finds in the colour grid: sixteen cells named by their colours, the
// foreground cell checked; pressing a cell chooses it as a click does.
QAccessibleInterface *colorGridAccessibleFactory(const QString &className, QObject *object);
