#pragma once

#include <QString>
#include <QVariantList>

namespace TestSupport {

// The pixels of a display board that shows only this text in the big font (digits and time
// punctuation), drawn as the command server draws a remote text.
QVariantList boardWithText(int x, const QString& text, int colour);
// Every pixel of the board is off.
bool isBlankBoard(const QVariantList& pixels);

} // namespace TestSupport
