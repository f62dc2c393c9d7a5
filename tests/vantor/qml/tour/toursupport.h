#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

// What the screen tour needs beyond the screens themselves, as the context property
// "tourSupport": the files an operator would bring (sequence files, starting lists, a workbook)
// and a display-board text arriving from a remote client.
class TourSupport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // A folder of the program's data folder ("Custom", "USB").
    Q_INVOKABLE QString dataFolder(const QString& name) const;
    Q_INVOKABLE bool writeFile(const QString& path, const QString& text) const { return writeTextFile(path, text); }
    // Writes text in UTF-8, making the folders on its way.
    static bool writeTextFile(const QString& path, const QString& text);
    // A real .xlsx starting list, written by Python's openpyxl; rows are [bib, "hh:mm:ss", "yyyy-mm-dd"].
    Q_INVOKABLE bool writeWorkbook(const QString& path, const QVariantList& rows) const;
    // A raw display-board text frame, handed to the command server as a client's bytes.
    Q_INVOKABLE bool sendBoardText(const QString& text) const;
    // The colour code of one pixel of the display board.
    Q_INVOKABLE int boardPixel(int x, int y) const;
};
