#pragma once

#include <QString>

namespace Vl::Tavix3::UI {

// Line n (from 0) of a text file without its line end; empty when the file cannot be opened.
QString readLine(const QString& fileName, int n);
// The program version: the first line of the resource ":/VERSION".
QString getVersion();
// The build date: the second line of ":/VERSION" ("yyyy-MM-dd").
QString getBuildDate();

} // namespace Vl::Tavix3::UI
