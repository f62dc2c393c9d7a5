import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// Every call form of the date utility that QML reaches: each argument a form takes must change the
// result, so a call never lands on a shorter form that drops it.
TestCase {
    id: testCase
    name: "DateUtil"

    DateTimeUtil {
        id: util
    }

    readonly property real sixtyFive: 65 * DateTimeUtil.QSEC1
    readonly property real sixtyFiveAndAHalf: 65 * DateTimeUtil.QSEC1 + 5 * DateTimeUtil.QDEC1
    readonly property real tenMinutesFive: 605 * DateTimeUtil.QSEC1
    // Running format: three leading places blanked, whole seconds.
    readonly property int runningSeconds: 0x2305
    readonly property int running: 0x2000

    function test_displayTime_data() {
        return [
            { tag: "2 arguments", text: util.displayTime(sixtyFiveAndAHalf, 0), expected: "00:01:05.5000" },
            { tag: "3 arguments: seconds only", text: util.displayTime(sixtyFiveAndAHalf, 0, true),
              expected: "00000065.5000" },
            { tag: "4 arguments", text: util.displayTime(sixtyFive, runningSeconds, false, false),
              expected: "    1:05" },
            { tag: "5 arguments: a prefix text",
              text: util.displayTime(sixtyFive, runningSeconds, false, false, "+"), expected: "   +1:05" },
            { tag: "5 arguments: a prefix code",
              text: util.displayTime(sixtyFive, runningSeconds, false, false, 43), expected: "   +1:05" },
            { tag: "5 arguments: no prefix",
              text: util.displayTime(sixtyFive, runningSeconds, false, false, ""), expected: "    1:05" },
            { tag: "5 arguments, two-digit minutes",
              text: util.displayTime(tenMinutesFive, runningSeconds, false, false, "+"), expected: "  +10:05" },
            { tag: "6 arguments: proportional font",
              text: util.displayTime(tenMinutesFive, runningSeconds, false, false, "+", true),
              expected: " + 10:05" },
            { tag: "7 arguments: update check",
              text: util.displayTime(tenMinutesFive, runningSeconds, false, false, "+", true, "        "),
              expected: " + 10:05" },
        ]
    }

    function test_displayTime(data) {
        compare(data.text, data.expected)
    }

    function test_displayRunningTime_data() {
        return [
            { tag: "2 arguments", text: util.displayRunningTime(sixtyFiveAndAHalf, 0), expected: "00:01:05.500" },
            { tag: "3 arguments: seconds only", text: util.displayRunningTime(sixtyFiveAndAHalf, 0, true),
              expected: "00000065.500" },
            { tag: "3 arguments, running", text: util.displayRunningTime(sixtyFive, running, false),
              expected: "    1:05.0000" },
            { tag: "4 arguments: no dots", text: util.displayRunningTime(sixtyFive, running, false, true),
              expected: "   0001050000" },
            { tag: "5 arguments: a prefix", text: util.displayRunningTime(sixtyFive, running, false, false, "-"),
              expected: "   -1:05.0000" },
            { tag: "5 arguments, two-digit minutes",
              text: util.displayRunningTime(tenMinutesFive, running, false, false, "+"), expected: "  +10:05.0000" },
            { tag: "6 arguments: proportional font",
              text: util.displayRunningTime(tenMinutesFive, running, false, false, "+", true),
              expected: " + 10:05.0000" },
            { tag: "7 arguments: update check",
              text: util.displayRunningTime(tenMinutesFive, running, false, false, "+", true, null),
              expected: " + 10:05.0000" },
        ]
    }

    function test_displayRunningTime(data) {
        compare(data.text, data.expected)
    }

    // 5 March 2024, read day first with "/" by the one-argument form.
    function test_stringToDateWithPoint() {
        var fifthOfMarch = util.stringToDateWithPoint("05/03/2024")
        verify(fifthOfMarch > 0)
        compare(util.stringToDateWithPoint("05-03-2024"), 0)
        compare(util.stringToDateWithPoint("05-03-2024", "-"), fifthOfMarch)
        compare(util.stringToDateWithPoint("03.05.2024", ".", OrvaneEnum.DATE_FORMAT_MM_DD_YYYY), fifthOfMarch)
        compare(util.stringToDateWithPoint("03.05.2024", ".", OrvaneEnum.DATE_FORMAT_MM_DD_YYYY, null), fifthOfMarch)
        compare(util.stringToDateWithPoint("05.03.2024", ".", OrvaneEnum.DATE_FORMAT_DD_MM_YYYY, ""), fifthOfMarch)
        // A corrected date still gives the date it was corrected to.
        compare(util.stringToDateWithPoint("31.02.2024", ".", OrvaneEnum.DATE_FORMAT_DD_MM_YYYY, ""),
                util.stringToDateWithPoint("29/02/2024"))
    }
}
