#pragma once

#include <QByteArray>

// A recipe page of about size bytes as recipe sites serve them: most of the bytes scripts and
// styles (code, the page's state as JSON), the rest advertising and navigation markup,
// comments, and one recipe ("Hvedeboller", 6 ingredients, 4 steps) as JSON-LD and as plugin
// markup, its picture at the address given.
QByteArray generatedPage(qsizetype size, const QByteArray &picture = "https://example.org/boller.jpg");
