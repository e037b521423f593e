#include "rtftestdocument.h"

#include <QStringBuilder>

QByteArray rtfDocument(const QByteArray &body)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
           "{\\f1\\fnil\\fcharset204 Cyr;}{\\f2\\fnil\\fcharset2 Symbol;}{\\f3\\fnil\\fcharset128 Jp;}}"
           "{\\colortbl ;\\red255\\green0\\blue0;}")
        + body + "}";
}
