import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// Menus: pages of three entries, taps handled later and at most one per 500 ms, long presses,
// the back and next icons, reloading on language and theme changes, and the main menu's entries.
TestCase {
    id: testCase
    name: "Menu"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    SignalSpy {
        id: longPressSpy
        signalName: "buttonLongPressed"
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
        longPressSpy.target = null
        longPressSpy.clear()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
    }

    function openTestMenu() {
        var menu = helper.window.openScreen("qrc:/menu/MenuPage.qml", {
            "objectName": "TestMenu", "formTitle": "Test", "pageSource": "qrc:/qmltest/TestMenuModel.qml" })
        helper.waitForStack()
        waitForRendering(menu)
        return menu
    }

    function iconOf(menu, name) {
        return findChild(menu, "menuIcon_" + name)
    }

    function showPage(menu, index) {
        menu.view.setCurrentIndex(index)
        waitForRendering(menu)
    }

    function imageName(item) {
        var source = "" + item.source
        return source.substring(source.lastIndexOf("/") + 1)
    }

    function test_mainMenuEntries() {
        var menu = helper.current()
        compare(menu.modelCount, 6)
        compare(menu.pageCount, 2)
        var names = []
        var captions = []
        for (var i = 0; i < menu.modelCount; ++i) {
            names.push(menu.menuModel.get(i).name)
            captions.push(menu.menuModel.get(i).text)
        }
        compare(names, ["NewSessionMenuForm", "SettingsMenuForm", "SynchMenuForm", "ExportLog", "DisconnectBTDevice",
                        "ResetToDefault"])
        compare(captions, ["NEW SESSION", "SETTINGS", "SYNCH", "EXPORT LOG", "DISCONNECT BT DEVICES", "RESET TO DEFAULT"])
        verify(menu.menuModel.reloadAfter)
        verify(!helper.find("backIcon").visible)
        verify(!helper.find("nextIcon").visible)
        verify(helper.find("versionText").visible)
        compare(helper.find("versionText").text, "Version " + application.getVersionNumber())
        compare(menu.formTitle, "SELECT AN OPTION")
    }

    function test_tapIsHandledOnALaterPass() {
        var menu = openTestMenu()
        var depth = helper.stack().depth
        helper.tap(iconOf(menu, "Open"))
        compare(helper.stack().depth, depth)
        tryCompare(helper.stack(), "depth", depth + 1)
        helper.waitForStack()
        compare(helper.current().objectName, "Open")
        compare(helper.current().formTitle, "Open title")
        compare(helper.current().formParam, "p1")
        compare(helper.current().pageSource, "qrc:/qmltest/TestMenuModel.qml")
    }

    function test_secondTapWithin500msIsDropped() {
        var menu = openTestMenu()
        var depth = helper.stack().depth
        helper.tap(iconOf(menu, "Act"))
        helper.tap(iconOf(menu, "Open"))
        tryCompare(helper.stack(), "depth", depth + 1)
        helper.waitForStack()
        wait(600)
        compare(helper.stack().depth, depth + 1)
        compare(helper.current().objectName, "Act")
        // The tap ran the action once; the opened menu runs the action named like itself once.
        compare(menuLog.entries, ["Act(p2)", "Act(p2)"])
    }

    function test_actionResultDecidesTheNavigation() {
        var menu = openTestMenu()
        var depth = helper.stack().depth
        helper.tap(iconOf(menu, "Quiet"))
        tryCompare(menuLog, "entries", ["Quiet(p3)"])
        wait(100)
        compare(helper.stack().depth, depth)
    }

    function test_reloadInsteadOfNavigating() {
        var menu = openTestMenu()
        showPage(menu, 1)
        var loads = menuLog.loads
        helper.tap(iconOf(menu, "Refresh"))
        tryCompare(menuLog, "loads", loads + 1)
        compare(menuLog.entries, ["Refresh(p4)"])
        compare(helper.current(), menu)
        compare(menu.view.currentIndex, 1)
    }

    function test_entryWithoutPageGoesBack() {
        var menu = openTestMenu()
        showPage(menu, 1)
        helper.tap(iconOf(menu, "Back"))
        tryCompare(helper.stack(), "depth", 1)
        compare(helper.current().objectName, "initialPage")
    }

    function test_inertAndDisabledEntries() {
        var menu = openTestMenu()
        showPage(menu, 1)
        helper.tap(iconOf(menu, "Inert"))
        showPage(menu, 2)
        verify(!iconOf(menu, "Disabled").enabled)
        compare(iconOf(menu, "Disabled").opacity, 0.5)
        helper.tap(iconOf(menu, "Disabled"))
        wait(200)
        compare(helper.current(), menu)
        compare(menuLog.entries, [])
    }

    function test_sevenEntriesMakeThreePages() {
        var menu = openTestMenu()
        compare(menu.pageCount, 3)
        verify(menu.isMultiPage)
        compare(findChild(menu, "pageIndicator").count, 3)
        compare(imageName(findChild(menu, "nextIcon")), "arrowRight.png")
        compare(imageName(findChild(menu, "backIcon")), "close.png")
        showPage(menu, 2)
        compare(menu.swipeViewRepeater.count, 3)
        var lastPage = menu.swipeViewRepeater.itemAt(2)
        verify(findChild(lastPage, "menuIcon_Disabled") !== null)
        compare(findChild(lastPage, "menuIcon_Back"), null)
        compare(findChild(menu.swipeViewRepeater.itemAt(1), "menuIcon_Inert").parent.children.length, 4)
        compare(imageName(findChild(menu, "nextIcon")), "close.png")
        compare(imageName(findChild(menu, "backIcon")), "arrowLeft.png")
        // On the last page the next icon goes back.
        helper.tap(findChild(menu, "nextIcon"))
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
    }

    function test_backIconPagesBackThenLeaves() {
        var menu = openTestMenu()
        showPage(menu, 1)
        helper.tap(findChild(menu, "backIcon"))
        tryCompare(menu.view, "currentIndex", 0)
        compare(helper.current(), menu)
        helper.tap(findChild(menu, "backIcon"))
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
    }

    function test_nextIconPagesForward() {
        var menu = openTestMenu()
        helper.tap(findChild(menu, "nextIcon"))
        tryCompare(menu.view, "currentIndex", 1)
        helper.tap(findChild(menu, "nextIcon"))
        tryCompare(menu.view, "currentIndex", 2)
    }

    function test_menuKeyLeavesTheMenu() {
        openTestMenu()
        keyClick(Qt.Key_Menu)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
    }

    function test_longPressTimes() {
        var menu = helper.current()
        compare(iconOf(menu, "SettingsMenuForm").longPressTime, 5000)
        var other = openTestMenu()
        compare(iconOf(other, "Act").longPressTime, 1000)
    }

    function test_longPressRunsOnlyTheLongPressAction() {
        var menu = openTestMenu()
        longPressSpy.target = menu
        var icon = iconOf(menu, "Act")
        icon.longPressTimer.interval = 50
        mousePress(icon)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon)
        tryCompare(menuLog, "entries", ["long Act(p2)"])
        compare(longPressSpy.count, 1)
        compare(longPressSpy.signalArguments[0][0], 1)
        wait(600)
        compare(helper.current(), menu)
    }

    function test_longPressOnSettingsOpensTheTestSettings() {
        var menu = helper.current()
        var icon = iconOf(menu, "SettingsMenuForm")
        icon.longPressTimer.interval = 50
        mousePress(icon)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon)
        tryVerify(function() { return helper.current().objectName === "TestSettingsForm" }, 20000)
        compare(helper.current().formTitle, "TEST SETTINGS")
        wait(600)
        // The settings menu itself was not opened.
        compare(helper.stack().depth, 2)
        compare(helper.current().objectName, "TestSettingsForm")
        helper.window.menuPressed()
        helper.waitForStack()
        application.isInTestMenu = false
    }

    function test_changingThePageCancelsALongPress() {
        var menu = openTestMenu()
        var icon = iconOf(menu, "Act")
        mousePress(icon)
        verify(icon.longPressTimer.running)
        menu.view.currentIndex = 1
        verify(!icon.longPressTimer.running)
        mouseRelease(icon)
    }

    function test_languageSwitchRetranslatesAndKeepsThePage() {
        var menu = helper.current()
        showPage(menu, 1)
        compare(iconOf(menu, "ExportLog").text, "EXPORT LOG")
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        waitForRendering(menu)
        compare(menu.view.currentIndex, 1)
        compare(iconOf(menu, "ExportLog").text, "ESPORTA LOG")
        compare(menu.formTitle, "SCEGLIERE UN'OPZIONE")
        application.currentLanguage = OrvaneEnum.LANGUAGE_DEU
        waitForRendering(menu)
        compare(iconOf(menu, "ExportLog").text, "LOG EXPOR\u00ADTIEREN")
        compare(menu.view.currentIndex, 1)
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        compare(iconOf(menu, "ExportLog").text, "EXPORT LOG")
    }

    function test_themeSwitchReloadsTheIcons() {
        var menu = helper.current()
        compare(iconOf(menu, "NewSessionMenuForm").icon, "qrc:/resources/Dark/start.png")
        application.isHighContrast = true
        compare(iconOf(menu, "NewSessionMenuForm").icon, "qrc:/resources/Light/start.png")
        application.isHighContrast = false
    }

    function test_returningToAMenuWithReloadAfterReloadsIt() {
        openTestMenu()
        var loads = menuLog.loads
        helper.window.openScreen("qrc:/qmltest/PagedScreen.qml", { "objectName": "Paged" })
        helper.waitForStack()
        helper.window.menuPressed()
        helper.waitForStack()
        compare(menuLog.loads, loads + 1)
    }

    function test_languageMenu() {
        helper.dispose()
        helper.create(OrvaneEnum.NO_LANGUAGE)
        var menu = helper.current()
        compare(menu.objectName, "Languages")
        compare(menu.formTitle, "Languages")
        compare(menu.iconForPage, 2)
        compare(menu.pageCount, 2)
        verify(!findChild(menu, "backIcon").visible)
        waitForRendering(menu)
        helper.tap(iconOf(menu, "Italiano"))
        tryCompare(application, "currentLanguage", OrvaneEnum.LANGUAGE_ITA)
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        // The caption may break the long word at its soft hyphen.
        compare(iconOf(helper.current(), "SettingsMenuForm").text, "IMPOSTA\u00ADZIONI")
    }

    function test_disconnectBluetooth() {
        showPage(helper.current(), 1)
        helper.tap(iconOf(helper.current(), "DisconnectBTDevice"))
        tryCompare(systemHw, "calls", ["touchListenerListenTo", "clearAllBT"])
        compare(helper.stack().depth, 1)
    }

    function test_reloadModelFromTheApplication() {
        var menu = openTestMenu()
        var loads = menuLog.loads
        application.reloadMenuModel("Refresh")
        compare(menuLog.loads, loads + 1)
        application.reloadMenuModel("Open")
        compare(menuLog.loads, loads + 1)
    }
}
