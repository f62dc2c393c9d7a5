import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The custom controls with the screens' palette: value editors, the switch, the icon button's
// long press, the page indicator, the progress bar and the delayed touch area.
TestCase {
    id: testCase
    name: "Controls"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    property var screen: null
    readonly property int second: 50000
    readonly property int minute: 3000000
    readonly property int hour: 180000000

    SignalSpy {
        id: spy
    }

    function initTestCase() {
        helper.create()
        screen = helper.window.openScreen("qrc:/qmltest/ControlsScreen.qml", {})
        helper.waitForStack()
        waitForRendering(screen)
    }

    function cleanupTestCase() {
        helper.dispose()
    }

    function cleanup() {
        spy.target = null
        spy.signalName = ""
        spy.clear()
        application.dateFormat = OrvaneEnum.DATE_FORMAT_DD_MM_YYYY
    }

    function control(name) {
        screen.shown = name
        var item = findChild(screen, name)
        waitForRendering(item)
        return item
    }

    function test_setNumberWraps() {
        var number = control("setNumber")
        number.min = 0
        number.max = 100
        number.step = 10
        number.value = 100
        findChild(number, "plus").clicked()
        compare(number.value, 0)
        findChild(number, "minus").clicked()
        compare(number.value, 100)
        number.value = 95
        findChild(number, "plus").clicked()
        compare(number.value, 100)
        number.value = 5
        findChild(number, "minus").clicked()
        compare(number.value, 0)
    }

    function test_setNumberText() {
        var number = control("setNumber")
        number.suffix = "%"
        number.minShowedValue = 1
        number.value = 0
        compare(findChild(number, "valueText").text, "1%")
        number.value = 30
        compare(findChild(number, "valueText").text, "30%")
        number.value = undefined
        compare(findChild(number, "valueText").text, "%")
        number.suffix = ""
        number.minShowedValue = undefined
    }

    function test_setNumberWithoutLimits() {
        var number = control("setNumber")
        number.min = undefined
        number.max = undefined
        number.value = 3
        findChild(number, "plus").clicked()
        findChild(number, "minus").clicked()
        compare(number.value, 3)
    }

    function test_setTimeFieldsDoNotCarry() {
        var time = control("setTime")
        time.isShowHours = false
        time.minTime = undefined
        time.time = 59 * minute + 59 * second
        time.changeSeconds(true)
        compare(time.time, 59 * minute)
        time.time = 59 * minute + 59 * second
        time.changeMinutes(true)
        compare(time.time, 59 * second)
        time.time = 0
        time.changeSeconds(false)
        compare(time.time, 59 * second)
        time.isShowHours = true
    }

    function test_setTimeHoursWrap() {
        var time = control("setTime")
        time.minTime = undefined
        time.time = 23 * hour + 5 * minute
        time.changeHours(true)
        compare(time.time, 5 * minute)
        time.changeHours(false)
        compare(time.time, 23 * hour + 5 * minute)
        compare(findChild(findChild(time, "hoursField"), "valueText").text, "23")
        compare(findChild(findChild(time, "minutesField"), "valueText").text, "05")
    }

    function test_setTimeStopsAtItsMinimum() {
        var time = control("setTime")
        time.isShowHours = false
        spy.target = time
        spy.signalName = "valueChanged"
        time.minTime = 20 * second
        time.time = 25 * second
        time.changeSeconds(false)
        compare(time.time, 24 * second)
        time.time = 20 * second
        time.changeSeconds(false)
        compare(time.time, 20 * second)
        time.changeMinutes(false)
        compare(time.time, 59 * minute + 20 * second)
        time.time = 2 * minute + 5 * second
        time.changeMinutes(false)
        compare(time.time, minute + 5 * second)
        compare(spy.count, 4)
        compare(spy.signalArguments[1][0], 20 * second)
        time.minTime = undefined
        time.isShowHours = true
    }

    function test_setTimeHidesItsHours() {
        var time = control("setTime")
        time.isShowHours = false
        verify(!findChild(time, "hoursField").visible)
        time.isShowHours = true
        verify(findChild(time, "hoursField").visible)
    }

    function test_setDate_data() {
        return [{ "tag": "day first", "format": OrvaneEnum.DATE_FORMAT_DD_MM_YYYY, "first": "Day" },
                { "tag": "month first", "format": OrvaneEnum.DATE_FORMAT_MM_DD_YYYY, "first": "Month" }]
    }

    function test_setDate(data) {
        var date = control("setDate")
        application.dateFormat = data.format
        date.day = 31
        date.month = 4
        date.year = 2021
        var first = findChild(date, "firstField")
        compare(findChild(first, "labelText").text, data.first)
        compare(findChild(first, "valueText").text, data.first === "Day" ? "31" : "04")
        compare(findChild(findChild(date, "yearField"), "valueText").text, "21")
        date.changeDay(true)
        compare(date.day, 1)
        date.changeDay(false)
        compare(date.day, 31)
        date.month = 12
        date.changeMonth(true)
        compare(date.month, 1)
        date.changeMonth(false)
        compare(date.month, 12)
        date.changeYear(false)
        compare(date.year, 2021)
        date.changeYear(true)
        compare(date.year, 2022)
    }

    function test_comboBox() {
        var combo = control("comboBox")
        spy.target = combo
        spy.signalName = "valueChanged"
        combo.model = [{ "text": "Manual", "value": 0 }, { "text": "Auto", "value": 1 }, { "text": "Auto Start", "value": 2 }]
        combo.itemIndex = 2
        compare(findChild(combo, "valueText").text, "Auto Start")
        findChild(combo, "plus").clicked()
        compare(combo.itemIndex, 0)
        findChild(combo, "minus").clicked()
        compare(combo.itemIndex, 2)
        compare(spy.count, 2)
        compare(spy.signalArguments[0][0], 0)
        compare(spy.signalArguments[1][0], 2)
    }

    function test_comboBoxInitialValue_data() {
        return [{ "tag": "found", "initial": 2, "index": 1 }, { "tag": "not found", "initial": 7, "index": 0 },
                { "tag": "strict", "initial": "2", "index": 0 }]
    }

    function test_comboBoxInitialValue(data) {
        var combo = screen.makeComboBox({
            "model": [{ "text": "One", "value": 1 }, { "text": "Two", "value": 2 }], "initialValue": data.initial })
        compare(combo.itemIndex, data.index)
        combo.destroy()
    }

    function test_switchTaps() {
        var item = control("switchItem")
        item.checked = false
        var knob = findChild(item, "knob")
        // A tap on the knob itself changes nothing.
        mouseClick(item, knob.x + knob.width / 2, item.height / 2)
        verify(!item.checked)
        mouseClick(item, item.width - 8, item.height / 2)
        verify(item.checked)
        compare(findChild(item, "stateText").text, "ON")
        waitForRendering(item)
        mouseClick(item, knob.x + knob.width / 2, item.height / 2)
        verify(item.checked)
        mouseClick(item, 8, item.height / 2)
        verify(!item.checked)
        compare(findChild(item, "stateText").text, "OFF")
    }

    function test_switchDrag() {
        var item = control("switchItem")
        item.checked = false
        waitForRendering(item)
        var knob = findChild(item, "knob")
        var y = item.height / 2
        mouseDrag(item, knob.x + 10, y, 40, 0)
        verify(item.checked)
        tryCompare(knob, "x", item.knobOnX)
    }

    function test_iconButtonTapAndLongPress() {
        var icon = control("iconButton")
        var pressed = 0
        var longPressed = 0
        var released = 0
        var onPressed = function() { ++pressed }
        var onLong = function() { ++longPressed }
        var onReleased = function() { ++released }
        icon.pressed.connect(onPressed)
        icon.longPressed.connect(onLong)
        icon.released.connect(onReleased)
        mouseClick(icon)
        compare([pressed, longPressed, released], [1, 0, 1])
        icon.longPressTime = 50
        mousePress(icon)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon)
        compare([pressed, longPressed, released], [1, 1, 2])
        icon.pressed.disconnect(onPressed)
        icon.longPressed.disconnect(onLong)
        icon.released.disconnect(onReleased)
        icon.longPressTime = 1000
    }

    function test_pageIndicator() {
        var indicator = control("pageIndicator")
        indicator.maxIndex = 3
        indicator.count = 2
        indicator.currentIndex = 1
        verify(findChild(indicator, "pageDot1").lit)
        verify(!findChild(indicator, "pageDot0").lit)
        verify(!findChild(indicator, "pageNumber").visible)
        indicator.count = 6
        indicator.currentIndex = 4
        compare(findChild(indicator, "pageDot3"), null)
        verify(findChild(indicator, "pageDot2").lit)
        verify(findChild(indicator, "pageNumber").visible)
        compare(findChild(indicator, "pageNumber").text, "5")
        indicator.currentIndex = 0
        verify(!findChild(indicator, "pageDot2").lit)
        verify(findChild(indicator, "pageDot0").lit)
    }

    function test_progressBarCountsDown() {
        var bar = control("progressBar")
        spy.target = bar
        spy.signalName = "timeOver"
        bar.maxValue = 10
        bar.startValue = 1
        compare(bar.value, 1)
        bar.reverse = true
        bar.showTime = 3000
        tryCompare(spy, "count", 1, 20000)
        compare(bar.value, 0)
        compare(findChild(bar, "bar").width, 0)
        bar.showTime = 0
    }

    function test_sliderBar() {
        var slider = control("sliderBar")
        waitForRendering(slider)
        var knob = findChild(slider, "knob")
        mouseClick(slider, slider.width - 1, slider.height / 2)
        compare(slider.value, slider.maximum)
        mouseClick(slider, 0, slider.height / 2)
        compare(slider.value, slider.minimum)
        mouseClick(slider, slider.width / 2, slider.height / 2)
        fuzzyCompare(slider.value, (slider.minimum + slider.maximum) / 2, 0.01)
    }

    function test_mouseAreaItemReportsLater() {
        var area = control("mouseAreaItem")
        spy.target = area
        spy.signalName = "pressedEvent"
        mousePress(area)
        mouseRelease(area)
        compare(spy.count, 0)
        tryCompare(spy, "count", 1)
        compare(spy.signalArguments[0][0].x, area.width / 2)
    }

    function test_swipeArea() {
        var area = control("swipeArea")
        spy.target = area
        spy.signalName = "swipe"
        mousePress(area, 80, 20)
        mouseMove(area, 60, 22, -1, Qt.LeftButton)
        mouseMove(area, 20, 25, -1, Qt.LeftButton)
        mouseRelease(area, 20, 25)
        compare(spy.count, 1)
        compare(spy.signalArguments[0][0], "left")
    }

    function test_busyIndicatorTurnsOnlyWhileRunning() {
        var busy = control("busy")
        var turning = findChild(busy, "turningImage")
        var angle = turning.rotation
        wait(100)
        compare(turning.rotation, angle)
        busy.running = true
        tryVerify(function() { return turning.rotation !== angle })
        busy.running = false
    }
}
