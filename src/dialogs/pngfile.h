#pragma once

#include <QPixmap>
#include <QString>

// Reads a PNG as the PNG it is. Left to guess a format, the image reader loads every image
// plugin (and the JPEG library) to ask each whether it knows the file.
QPixmap readPng(const QString &fileName);

// Reads a PNG into the pixmap cache for those who load it as QPixmap(fileName), as the styles
// do with their pictures; they then find it there and guess nothing.
void cachePng(const QString &fileName);

// The key under which QPixmap(fileName) looks the file up in the pixmap cache.
QString pixmapCacheKey(const QString &fileName);
