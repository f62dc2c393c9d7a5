#include "common/semaintervals.h"
#include "testsupport/testmain.h"

#include <QTest>

using Vl::Tavix3::UI::SemaInterval;
using Vl::Tavix3::UI::SemaIntervalField;
using Vl::Tavix3::UI::SemaIntervalKey;
using Vl::Tavix3::UI::SemaIntervals;

Q_DECLARE_METATYPE(SemaIntervalField)

// The interval lists both sequence models hand to their editors and files: one sequence type's
// intervals in index order, whatever order they were stored in.
class TestSemaIntervals : public QObject
{
    Q_OBJECT

private slots:
    void list_data();
    void list();
};

namespace {

SemaIntervals table()
{
    SemaIntervals intervals;
    // Stored out of order and mixed with another type's intervals.
    intervals.insert(SemaIntervalKey(2, 7), SemaInterval { 0, 3, 4, true });
    intervals.insert(SemaIntervalKey(0, 7), SemaInterval { -10, 4, 1, false });
    intervals.insert(SemaIntervalKey(1, 3), SemaInterval { -99, 0, 0, false });
    intervals.insert(SemaIntervalKey(1, 7), SemaInterval { -5, 1, 3, true });
    return intervals;
}

QVariantMap wholeInterval(qlonglong time, int sound, int color, bool isFalseStartWindow)
{
    return QVariantMap { { QStringLiteral("Time"), time }, { QStringLiteral("Sound"), sound },
        { QStringLiteral("Color"), color }, { QStringLiteral("IsFalseStartWindow"), isFalseStartWindow } };
}

} // namespace

void TestSemaIntervals::list_data()
{
    QTest::addColumn<int>("sequence");
    QTest::addColumn<SemaIntervalField>("field");
    QTest::addColumn<QVariantList>("expected");
    QTest::newRow("times") << 7 << SemaIntervalField::Time
                           << QVariantList { qlonglong(-10), qlonglong(-5), qlonglong(0) };
    QTest::newRow("sounds") << 7 << SemaIntervalField::Sound << QVariantList { 4, 1, 3 };
    QTest::newRow("colours") << 7 << SemaIntervalField::Color << QVariantList { 1, 3, 4 };
    QTest::newRow("false-start windows") << 7 << SemaIntervalField::IsFalseStartWindow
                                         << QVariantList { false, true, true };
    QTest::newRow("whole intervals") << 7 << SemaIntervalField::Whole
                                     << QVariantList { wholeInterval(-10, 4, 1, false),
                                            wholeInterval(-5, 1, 3, true), wholeInterval(0, 3, 4, true) };
    QTest::newRow("other type") << 3 << SemaIntervalField::Time << QVariantList { qlonglong(-99) };
    QTest::newRow("type without intervals") << 5 << SemaIntervalField::Whole << QVariantList {};
}

void TestSemaIntervals::list()
{
    QFETCH(int, sequence);
    QFETCH(SemaIntervalField, field);
    QFETCH(QVariantList, expected);
    QCOMPARE(Vl::Tavix3::UI::semaIntervalList(table(), sequence, field), expected);
}

VANTOR_TEST_CLASS(TestSemaIntervals)
#include "tst_semaintervals.moc"
