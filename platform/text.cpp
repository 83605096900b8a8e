#include "platform/text.h"

QString displayText(const QString& text) {
    QString out = text;
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}
