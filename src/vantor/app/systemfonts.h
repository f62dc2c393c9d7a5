#pragma once

#include <QString>
#include <QStringList>

namespace Vl::Tavix3::UI {

// The fonts of the interface, taken from the system's font packages: each font the program
// names is looked up in a list of installed files that can stand for it.
class SystemFonts
{
public:
    // The installed file for a named font ("DroidSans.ttf", ...); empty when none is installed.
    static QString pathFor(const QString& fontName);
    // Adds the fonts to the application's font database; the first one becomes the default font.
    static void load();
};

} // namespace Vl::Tavix3::UI
