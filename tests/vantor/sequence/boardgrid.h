#pragma once

#include "sequence/displayboard.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

// The board as 16 text rows of 48 characters: '.' off, R red, G green, Y yellow, B blue, W white.
inline QStringList boardGrid(const Vl::Tavix3::UI::Displayboard& board)
{
    QStringList rows;
    for (int y = 0; y < Vl::Tavix3::UI::Displayboard::kRows; ++y) {
        QString row;
        for (int x = 0; x < Vl::Tavix3::UI::Displayboard::kColumns; ++x) {
            switch (board.pixel(x, y)) {
            case 0:
                row += QLatin1Char('.');
                break;
            case 1:
                row += QLatin1Char('R');
                break;
            case 2:
                row += QLatin1Char('G');
                break;
            case 3:
                row += QLatin1Char('Y');
                break;
            case 4:
                row += QLatin1Char('B');
                break;
            case 7:
                row += QLatin1Char('W');
                break;
            default:
                row += QLatin1Char('?');
                break;
            }
        }
        rows << row;
    }
    return rows;
}

// A part of a frame written out by hand: one row, a row standing count times in a row, or rows drawn
// elsewhere.
struct FrameRows
{
    FrameRows(const char* row)
        : rows { QString::fromLatin1(row) }
    {
    }
    FrameRows(int count, const char* row)
    {
        for (int k = 0; k < count; ++k)
            rows << QString::fromLatin1(row);
    }
    FrameRows(const QStringList& drawn)
        : rows(drawn)
    {
    }

    QStringList rows;
};

// A frame from its parts, top to bottom.
inline QStringList frameOf(std::initializer_list<FrameRows> parts)
{
    QStringList rows;
    for (const FrameRows& part : parts)
        rows += part.rows;
    return rows;
}

// Compares row by row, so a failure names the first row that differs.
#define COMPARE_BOARD(board, expected)                                                                                 \
    do {                                                                                                               \
        const QStringList actualRows = boardGrid(board);                                                               \
        const QStringList expectedRows = (expected);                                                                   \
        QCOMPARE(expectedRows.size(), 16);                                                                             \
        for (int row = 0; row < 16; ++row) {                                                                           \
            QCOMPARE(expectedRows.at(row).size(), 48);                                                                 \
            if (actualRows.at(row) != expectedRows.at(row))                                                            \
                qWarning().noquote() << "row" << row << "\n  got      " << actualRows.at(row) << "\n  expected "       \
                                     << expectedRows.at(row);                                                          \
            QCOMPARE(actualRows.at(row), expectedRows.at(row));                                                        \
        }                                                                                                              \
    } while (false)
