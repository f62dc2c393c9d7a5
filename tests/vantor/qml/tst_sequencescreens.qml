import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// Choosing a sequence: the family menu of NEW SESSION, the two built-in sequences of a family
// (a tap opens the run screen, a long press the interval table) and the interval viewer of a
// built-in sequence or of a custom file.
TestCase {
    id: testCase
    name: "SequenceScreens"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
        application.isInTimingMenu = false
    }

    function open(url, properties) {
        var screen = helper.window.openScreen(url, properties)
        verify(screen !== null, url)
        helper.waitForStack()
        return screen
    }

    function openFamily(param) {
        return open("qrc:/menu/SemaSequences.qml", { "objectName": "SkiSequence", "formTitle": "SKI",
                                                     "formParam": param, "pageSource": "" })
    }

    function openViewer(name) {
        return open("qrc:/menu/SemaSequence.qml", { "objectName": name, "formTitle": "", "pageSource": "",
                                                    "formMenuTitle": "Sequence", "formParam": "" })
    }

    function entries(model) {
        var list = []
        for (var i = 0; i < model.count; ++i) {
            var entry = model.get(i)
            list.push([entry.name, entry.title, entry.text, entry.page, entry.param].join("|"))
        }
        return list
    }

    function intervalTexts(screen, index) {
        var column = findChild(screen, "interval" + index)
        verify(column !== null, "interval " + index)
        return [findChild(column, "intervalTime").text, findChild(column, "intervalColor").text,
                findChild(column, "intervalSound").text, findChild(column, "intervalFalseStart").text]
    }

    function longPress(icon) {
        icon.longPressTimer.interval = 50
        mousePress(icon)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon)
    }

    function test_newSessionOpensTheFamilies() {
        helper.tap(findChild(helper.current(), "menuIcon_NewSessionMenuForm"))
        tryCompare(helper.stack(), "depth", 2)
        helper.waitForStack()
        var menu = helper.current()
        compare(menu.objectName, "NewSessionMenuForm")
        compare(menu.formTitle, "NEW SESSION")
        compare(entries(menu.menuModel), [
            "RallySequence|RALLY|RALLY|qrc:/menu/SemaSequences.qml|RA",
            "SkiSequence|SKI|SKI|qrc:/menu/SemaSequences.qml|SK",
            "UphillSequence|UP HILL|UP HILL|qrc:/menu/SemaSequences.qml|UH",
            "CustomSequence|CUSTOM|CUSTOM|qrc:/menu/Import.qml|custom",
            "USB|USB|USB|qrc:/menu/Import.qml|USB"])
        compare(menu.menuModel.get(0).image, "qrc:/resources/Dark/rally.png")
        compare(menu.menuModel.get(4).image, "qrc:/resources/Dark/usb.png")
        compare(menu.pageCount, 2)
        compare(testSupport.warnings, [])
    }

    function test_familyOpensItsSequences() {
        var menu = open("qrc:/menu/MenuPage.qml", { "objectName": "NewSessionMenuForm", "formTitle": "NEW SESSION",
                                                    "pageSource": "qrc:/menudata/MenuSequencesModel.qml" })
        helper.tap(findChild(menu, "menuIcon_SkiSequence"))
        tryCompare(helper.stack(), "depth", 3)
        helper.waitForStack()
        var family = helper.current()
        compare(family.objectName, "SkiSequence")
        compare(family.formTitle, "SKI")
        compare(family.sequence, "SK")
        compare(entries(family.menuModel), ["0|ALPINE SKI|ALPINE SKI|qrc:/menu/HandleSequence.qml|",
                                           "1|SEQUENCE 1|SEQUENCE 1|qrc:/menu/HandleSequence.qml|"])
        verify(!family.initializing)
        compare(testSupport.warnings, [])
    }

    function test_families_data() {
        return [
            { "tag": "rally", "param": "RA", "names": ["2", "3"] },
            { "tag": "ski", "param": "SK", "names": ["0", "1"] },
            { "tag": "up hill", "param": "UH", "names": ["4", "5"] },
            { "tag": "other", "param": "XX", "names": [] }
        ]
    }

    function test_families(data) {
        var family = openFamily(data.param)
        var names = []
        for (var i = 0; i < family.sequences.count; ++i)
            names.push(family.sequences.get(i).name)
        compare(names, data.names)
        compare(family.menuModel, family.sequences)
        compare(family.swipeViewRepeater.count, data.names.length > 0 ? 1 : 0)
    }

    function test_tapOpensTheRunScreen() {
        var family = openFamily("RA")
        helper.tap(findChild(family, "menuIcon_3"))
        tryVerify(function() { return helper.current().isRunScreen === true })
        helper.waitForStack()
        var runScreen = helper.current()
        compare(runScreen.objectName, "3")
        compare(runScreen.formTitle, "SEQUENCE 3")
        compare(runScreen.formParam, "")
        verify(sema.calls.indexOf("setSequenceType(3)") >= 0)
    }

    function test_longPressOpensTheIntervals() {
        var family = openFamily("SK")
        longPress(findChild(family, "menuIcon_1"))
        tryCompare(helper.stack(), "depth", 3)
        helper.waitForStack()
        var viewer = helper.current()
        compare(viewer.objectName, "1")
        compare(viewer.formTitle, "")
        compare(viewer.formMenuTitle, "Sequence")
        compare(viewer.formParam, "")
        compare(viewer.sequence, 1)
        compare(viewer.semaSequenceModel.count, 2)
        wait(600)
        compare(helper.stack().depth, 3)
    }

    function test_rallyIntervalsFillThreePages() {
        var viewer = openViewer("2")
        compare(viewer.sequence, SemaEnum.SEMA_SEQUENCE_RALLY)
        compare(viewer.semaSequenceModel.count, 8)
        compare(viewer.menuModel, viewer.semaSequenceModel)
        compare(viewer.pageCount, 3)
        compare(findChild(viewer, "pageIndicator").count, 3)
        compare(intervalTexts(viewer, 0), ["-70 sec", "Red", "Silent", "No False"])
        compare(intervalTexts(viewer, 1), ["-60 sec", "Yellow", "Bip", "No False"])
        viewer.view.setCurrentIndex(2)
        compare(intervalTexts(viewer, 6), ["-10 sec", "Red", "Bip", "False"])
        compare(intervalTexts(viewer, 7), ["0 sec", "Yellow", "Boop", "False"])
        compare(findChild(viewer.swipeViewRepeater.itemAt(2), "interval8"), null)
        compare(testSupport.warnings, [])
    }

    function test_viewerLeavesWithTheBackIcon() {
        var viewer = openViewer("0")
        compare(viewer.pageCount, 1)
        helper.tap(findChild(viewer, "backIcon"))
        helper.waitForStack()
        compare(helper.stack().depth, 1)
    }

    function test_customFileIsLoadedIntoTheEngine() {
        sema.customFileTable = [[-30, 1, 1, false], [-20, 2, 1, false], [0, 3, 4, true]]
        var viewer = openViewer("/data/Custom/Sequence_1.json")
        compare(sema.calls, ["setCustomSequenceFromFile(/data/Custom/Sequence_1.json)"])
        compare(viewer.sequence, SemaEnum.SEMA_SEQUENCE_CUSTOM)
        compare(viewer.semaSequenceModel.count, 3)
        compare(intervalTexts(viewer, 2), ["0 sec", "Green", "Long Boop", "False"])
        helper.window.menuPressed()
        helper.waitForStack()
        // Looking at another file has the engine load that one (tst_screenswithengine: the real
        // engine's custom table is then the new file's), and the viewer shows what it loaded.
        sema.customFileTable = [[-5, 2, 0, false]]
        sema.calls = []
        viewer = openViewer("/data/USB/Other.json")
        compare(sema.calls, ["setCustomSequenceFromFile(/data/USB/Other.json)"])
        compare(viewer.semaSequenceModel.count, 1)
        compare(intervalTexts(viewer, 0), ["-5 sec", "Yellow", "Silent", "No False"])
    }

    // A file that cannot be read is not shown with the custom table loaded before it.
    function test_unreadableCustomFileShowsNoIntervals() {
        sema.customFileTable = [[-30, 1, 1, false], [0, 3, 4, true]]
        openViewer("/data/Custom/Good.json")
        helper.window.menuPressed()
        helper.waitForStack()
        sema.customFileLoads = false
        sema.calls = []
        var viewer = openViewer("/data/Custom/Broken.json")
        compare(viewer.sequence, SemaEnum.SEMA_SEQUENCE_CUSTOM)
        compare(viewer.semaSequenceModel.count, 0)
        compare(viewer.pageCount, 0)
        compare(findChild(viewer, "interval0"), null)
        tryCompare(helper.find("infoText"), "text", "The sequence file cannot be read")
        compare(helper.find("infoBar").shownColor, helper.root.colorRed)
        // The screen asks the engine to load the file and leaves its custom table alone otherwise
        // (tst_screenswithengine: the real engine keeps the table loaded before).
        compare(sema.calls, ["setCustomSequenceFromFile(/data/Custom/Broken.json)"])
    }

    function test_languageSwitchRetranslatesAndKeepsThePage() {
        var viewer = openViewer("2")
        viewer.view.setCurrentIndex(2)
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        compare(viewer.view.currentIndex, 2)
        compare(intervalTexts(viewer, 6)[3], "Falsa")
        compare(intervalTexts(viewer, 0)[3], "No falsa")
        application.currentLanguage = OrvaneEnum.LANGUAGE_DEU
        compare(intervalTexts(viewer, 7)[3], "Fehlstart")
        compare(viewer.semaSequenceModel.count, 8)
        var family = openFamily("UH")
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        compare(family.sequences.count, 2)
        compare(family.swipeViewRepeater.count, 1)
        verify(findChild(family, "menuIcon_4") !== null)
        compare(testSupport.warnings, [])
    }

    function test_familyMenuInItalian() {
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        var menu = open("qrc:/menu/MenuPage.qml", { "objectName": "NewSessionMenuForm",
                                                    "pageSource": "qrc:/menudata/MenuSequencesModel.qml" })
        compare(menu.menuModel.get(1).text, "SCI")
        compare(menu.menuModel.get(2).text, "SALITA")
        compare(menu.menuModel.get(3).text, "PERSONALIZ\u00ADZATA")
        compare(menu.menuModel.get(4).text, "USB")
    }
}
