import QtQuick 2.15
import velmora.Orvane 1.0

// The tour of Vantor's screens, as an operator reaches them: the main menu and every screen its
// menus open, the run screen in its three modes (counting down), the starting-list choosers with a
// real workbook, the service screens, the message boxes, the wait overlay, the splash window, and
// in display-board mode the output screen and the LED mirror window after a remote text.
//
// steps(theme, language) lists the steps for one theme and language. A step is
//   { name, claim, act(), ready(), window } and, for a screen of several pages,
//   { views(), show(index), shown(index) }:
// act does what the operator does, ready tells when the screens show what claim says; a named
// step is one view (or, with views, one per page) that the runner checks or photographs, in the
// main window unless window names the "mirror" or the "splash" window.
Item {
    id: tour

    readonly property var themes: ["dark", "light"]
    readonly property var languages: ["en", "it", "de"]
    readonly property var languageValues: ({ "en": OrvaneEnum.LANGUAGE_ENG, "it": OrvaneEnum.LANGUAGE_ITA,
                                             "de": OrvaneEnum.LANGUAGE_DEU })
    // What the remote client writes on the board: the seven characters a text may have.
    readonly property string boardText: "12:34.5"
    readonly property string workbookName: "Slalom Giant Finals"

    // Nothing moves: no screen is on its way and no notice is sliding over the status bar.
    function idle() {
        var infoBar = mainForm.infoBar
        var shown = infoBar.state === "showInfoBar" && infoBar.y === 0
        var hidden = infoBar.state === "" && infoBar.y <= -toolBarHeight
        return !stack.busy && (shown || hidden)
    }

    function top() {
        return stack.currentItem
    }

    function topBox() {
        var boxes = mainItem.messageBoxList
        return boxes.length > 0 ? boxes[boxes.length - 1] : null
    }

    function closeBoxes() {
        var box = topBox()
        while (box && box.visible) {
            box.setClose()
            box = topBox()
        }
    }

    function entryIndex(name, param) {
        var model = top().menuModel
        if (!model)
            throw new Error("the screen " + top().objectName + " has no menu")
        for (var i = 0; i < model.count; ++i) {
            var entry = model.get(i)
            if (entry.name === name && (param === undefined || entry.param === param))
                return i
        }
        throw new Error("no menu entry " + name + (param === undefined ? "" : " " + param))
    }

    // A tap on a menu entry, as the menu handles it once the tap has been echoed.
    function tap(name, param) {
        var screen = top()
        var entry = screen.menuModel.get(entryIndex(name, param))
        screen.buttonClicked(entry.name, entry.title, entry.menuTitle || "", entry.page, entry.form || "",
                             entry.listModel || "", entry.back || "", entry.param)
    }

    function longPress(name, param) {
        var screen = top()
        var index = entryIndex(name, param)
        screen.iconLongPressed(index, screen.menuModel.get(index))
    }

    function back() {
        mainForm.menuPressed()
    }

    function shows(test) {
        return function() {
            var screen = top()
            return screen !== null && test(screen)
        }
    }

    function named(objectName) {
        return shows(function(screen) { return screen.objectName === objectName })
    }

    // The items of a screen's visual tree are reached by their objectNames.
    function find(item, objectName) {
        if (!item)
            return null
        for (var i = 0; i < item.children.length; ++i) {
            var child = item.children[i]
            if (child.objectName === objectName)
                return child
            var found = find(child, objectName)
            if (found)
                return found
        }
        return null
    }

    // The run screen in MANUAL, armed: the running view with the time of day, waiting for the start.
    function showsArmed(screen) {
        return screen.isRunScreen === true && screen.page === 2 && sema.isOff && screen.timeOfDay.text !== ""
    }

    function steps(theme, language) {
        var list = []

        function step(name, claim, act, ready, extra) {
            var entry = { "name": name, "claim": claim, "act": act, "ready": ready }
            for (var key in extra)
                entry[key] = extra[key]
            list.push(entry)
        }

        // A menu or a file chooser: one view per swipe page.
        function menuPages() {
            return {
                "views": function() { return Math.max(1, top().pageCount) },
                "show": function(index) { top().view.setCurrentIndex(index) },
                "shown": function(index) { return top().view.currentIndex === index }
            }
        }

        // A paged settings screen: one view per setting.
        function settingPages() {
            return {
                "views": function() { return top().settingsCount },
                "show": function(index) { top().showPage(index) },
                "shown": function(index) { return top().page === index && top().view.currentIndex === index }
            }
        }

        // A screen with its own numbered pages (synchronisation, GPS).
        function numberedPages(count) {
            return {
                "views": function() { return count },
                "show": function(index) { top().page = index },
                "shown": function(index) { return top().page === index }
            }
        }

        // A message box as the program shows it; its texts are read when the step runs, in the
        // language set by then.
        function showBox(name, claim, texts) {
            var header = ""
            step(name, claim, function() {
                var shown = texts()
                header = shown[0]
                var box = mainItem.addMessageBox()
                box.setVisible(header, shown[1], shown[2], shown[3], "", "", 0, OrvaneEnum.QKEY_ESCAPE,
                               OrvaneEnum.QKEY_F2)
            }, function() {
                var box = topBox()
                return box !== null && box.visible && box.headerText === header
            })
            step("", "the box is closed", closeBoxes, function() { return mainItem.messageBoxListCounter === 0 })
        }

        function boxText(context, source) {
            return qsTranslate(context, source)
        }

        function sure(title) {
            return title + "\n" + boxText("Vl::Tavix3::UI::MsgBox", "Are you sure?")
        }

        function question(title) {
            return function() {
                return [sure(title()), "", boxText("Vl::Tavix3::UI::MsgBox", "Yes"),
                        boxText("Vl::Tavix3::UI::MsgBox", "No")]
            }
        }

        function notice(text) {
            return function() { return [text(), "", "", ""] }
        }

        var custom = tourSupport.dataFolder("Custom")
        var usb = tourSupport.dataFolder("USB")
        var sequenceFile = custom + "/Training start.json"
        var workbook = custom + "/" + workbookName + ".xlsx"

        step("", "the main menu in the " + theme + " theme and in " + language, function() {
            closeBoxes()
            application.hideWaitPlease()
            mainForm.popToFirstScreen()
            application.isHighContrast = theme === "light"
            application.currentLanguage = languageValues[language]
            application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
            systemHw.brightnessMode = OrvaneEnum.MANUAL_BRIGHTNESS
            sema.isRestartWithNextMinute = false
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_MANUAL
            if (!tourSupport.writeFile(sequenceFile, JSON.stringify({
                "SequenceName": "Training start", "SequenceId": "training-1", "Sequence": [
                    { "Time": -10, "Color": 1, "Sound": 1, "IsFalseStartWindow": false },
                    { "Time": -5, "Color": 2, "Sound": 2, "IsFalseStartWindow": false },
                    { "Time": 0, "Color": 3, "Sound": 3, "IsFalseStartWindow": true },
                    { "Time": 2, "Color": 0, "Sound": 0, "IsFalseStartWindow": true }] })))
                throw new Error("cannot write " + sequenceFile)
            if (!tourSupport.writeFile(usb + "/Club race.json", JSON.stringify({
                "SequenceName": "Club race", "SequenceId": "club-1", "Sequence": [
                    { "Time": -3, "Color": 1, "Sound": 1, "IsFalseStartWindow": false },
                    { "Time": 0, "Color": 3, "Sound": 3, "IsFalseStartWindow": true }] })))
                throw new Error("cannot write the USB sequence file")
            var starts = []
            for (var bib = 1; bib <= 7; ++bib)
                starts.push({ "BibNumber": bib, "Time": "23:5" + bib + ":00", "Date": "31/12/2099" })
            if (!tourSupport.writeFile(custom + "/relay.json", JSON.stringify({
                "StartingListName": "Relay heats", "StartingListId": "relay-1", "StartingList": starts })))
                throw new Error("cannot write the JSON starting list")
            if (!tourSupport.writeFile(usb + "/sprint.json", JSON.stringify({
                "StartingListName": "Sprint qualifiers", "StartingListId": "sprint-1", "StartingList": starts })))
                throw new Error("cannot write the USB starting list")
            var rows = []
            for (var row = 1; row <= 8; ++row)
                rows.push([100 + row, "23:4" + row + ":30", "2099-12-31"])
            if (!tourSupport.writeWorkbook(workbook, rows))
                throw new Error("cannot write the workbook " + workbook)
        }, shows(function(screen) {
            return stack.depth === 1 && application.currentLanguage === languageValues[language]
                    && application.isHighContrast === (theme === "light")
        }))
        step("main-menu", "the main menu's pages", null, named("initialPage"), menuPages())

        step("languages", "the language list of the first start", function() {
            mainForm.openScreen("qrc:/menu/MenuPage.qml", {
                "objectName": "Languages", "pageSource": "qrc:/menudata/MenuLanguagesModel.qml",
                "formTitle": "Languages", "iconForPage": 2, "backIconVisible": false })
        }, named("Languages"), menuPages())
        step("", "the main menu", back, named("initialPage"))

        // The sequence families and their built-in sequences.
        step("new-session", "the sequence families", function() { tap("NewSessionMenuForm") },
             named("NewSessionMenuForm"), menuPages())
        var families = [{ "name": "RallySequence", "view": "rally", "types": [2, 3] },
                        { "name": "SkiSequence", "view": "ski", "types": [0, 1] },
                        { "name": "UphillSequence", "view": "uphill", "types": [4, 5] }]
        var typeViews = ["alpine-ski", "nordic-ski", "rally", "shakedown", "uphill-no-countdown", "uphill-countdown"]
        families.forEach(function(family) {
            var menu = "sequences-" + family.view
            step(menu, "the sequences of " + family.name, function() { tap(family.name) },
                 shows(function(screen) { return screen.objectName === family.name && screen.modelCount === 2 }))
            family.types.forEach(function(type) {
                step("intervals-" + typeViews[type], "the intervals of sequence " + type,
                     function() { longPress("" + type) },
                     shows(function(screen) { return screen.objectName === "" + type && screen.modelCount > 0 }),
                     menuPages())
                step("", menu, back, named(family.name))
                step("run-" + typeViews[type], "the run screen of sequence " + type + ", armed",
                     function() { tap("" + type) },
                     shows(function(screen) { return showsArmed(screen) && screen.objectName === "" + type }))
                step("", menu, back, named(family.name))
            })
            step("", "the sequence families", back, named("NewSessionMenuForm"))
        })

        // Sequence files of the internal memory and of the USB folder.
        step("custom-sequences", "the custom sequence files", function() { tap("CustomSequence") },
             shows(function(screen) { return screen.objectName === "CustomSequence" && screen.modelCount === 1 }),
             menuPages())
        step("intervals-custom", "the intervals of a custom file", function() { longPress(sequenceFile) },
             shows(function(screen) { return screen.objectName === sequenceFile && screen.modelCount === 4 }),
             menuPages())
        step("", "the custom sequence files", back, named("CustomSequence"))
        step("run-custom", "the run screen of a custom file, armed", function() { tap(sequenceFile) },
             shows(function(screen) { return showsArmed(screen) && screen.objectName === sequenceFile }))
        step("", "the custom sequence files", back, named("CustomSequence"))
        step("", "the sequence families", back, named("NewSessionMenuForm"))
        step("usb-sequences", "the sequence files of the USB folder", function() { tap("USB") },
             shows(function(screen) { return screen.objectName === "USB" && screen.modelCount === 1 }), menuPages())
        step("", "the sequence families", back, named("NewSessionMenuForm"))

        // The run screen in MANUAL: armed, then counting down after the OK icon.
        step("", "the ski sequences", function() { tap("SkiSequence") }, named("SkiSequence"))
        step("run-manual-armed", "ALPINE SKI armed in MANUAL", function() {
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_MANUAL
            tap("0")
        }, shows(showsArmed))
        // The OK icon starts it.
        step("run-manual-countdown", "ALPINE SKI counting down", function() { top().rightTouch.clicked(null) },
             shows(function(screen) { return screen.page === 2 && !sema.isOff && screen.txtSemaTime.text !== ""
                                             && screen.timeOfDay.text !== "" }))
        step("race-settings", "the race settings of the run screen", function() { top().settingsTouch.clicked(null) },
             shows(function(screen) { return screen.formParam === "RACE" && screen.settingsCount > 0 }),
             settingPages())
        step("", "the run screen", back, shows(function(screen) { return screen.isRunScreen }))
        step("", "the ski sequences", back, named("SkiSequence"))

        // AUTO: start time, repetition, running, changing the repetition.
        step("run-auto-time", "ALPINE SKI in AUTO: the start time", function() {
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_AUTO
            tap("0")
        }, shows(function(screen) { return screen.isRunScreen && screen.page === 0 }))
        step("run-auto-repetition", "the repetition time", function() { top().rightTouch.clicked(null) },
             shows(function(screen) { return screen.page === 1 }))
        step("run-auto-running", "the sequence running towards its start time",
             function() { top().rightTouch.clicked(null) },
             shows(function(screen) {
                 return screen.page === 2 && sema.sequenceStatus && screen.timeOfDay.text !== ""
             }))
        step("run-auto-edit-repetition", "the repetition time while running",
             function() { top().editRepetitionTouch.clicked(null) },
             shows(function(screen) { return screen.page === 3 }))
        step("", "the running view", function() { top().leftTouch.clicked(null) },
             shows(function(screen) { return screen.page === 2 }))
        step("", "the ski sequences", back, named("SkiSequence"))

        // AUTOSTART: the starting-list choice, the chooser with a workbook, the list viewer.
        step("run-autostart-choice", "ALPINE SKI in AUTOSTART: where the list comes from", function() {
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_AUTOSTART
            tap("0")
        }, shows(function(screen) { return screen.isRunScreen && screen.page === 4 }))
        step("starting-lists", "the starting lists of the internal memory, the workbook among them",
             function() { top().customButton.pressed() },
             shows(function(screen) {
                 return screen.objectName === "ImportStartingListForm" && screen.modelCount === 2
             }),
             menuPages())
        step("starting-list", "the workbook's starts", function() { longPress("ReadStartingList", workbook) },
             shows(function(screen) { return screen.objectName === workbook && screen.modelCount === 8 }), menuPages())
        step("", "the starting lists", back, named("ImportStartingListForm"))
        step("run-autostart-list", "the workbook installed as starting list",
             function() { tap("ReadStartingList", workbook) },
             shows(function(screen) { return screen.isRunScreen && sema.startListName === workbookName }))
        step("run-autostart-running", "the next start of the list", function() { top().rightTouch.clicked(null) },
             shows(function(screen) { return screen.page === 2 && sema.nextStartTime !== "" }))
        step("run-autostart-download", "the request for a starting list", function() { top().page = 5 },
             shows(function(screen) { return screen.page === 5 }))
        step("", "the starting-list choice", function() { top().leftTouch.clicked(null) },
             shows(function(screen) { return screen.page === 4 }))
        step("starting-lists-usb", "the starting list of the USB folder", function() { top().usbButton.pressed() },
             shows(function(screen) {
                 return screen.objectName === "ImportStartingListForm" && screen.formParam === "USB"
                         && screen.modelCount === 1
             }),
             menuPages())
        step("", "the run screen", back, shows(function(screen) { return screen.isRunScreen }))
        step("", "the ski sequences", back, named("SkiSequence"))
        step("", "the sequence families", back, named("NewSessionMenuForm"))
        step("", "the main menu", function() {
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_MANUAL
            back()
        }, named("initialPage"))

        // Settings.
        step("settings-menu", "the settings menu", function() { tap("SettingsMenuForm") },
             shows(function(screen) { return screen.objectName === "SettingsMenuForm" && screen.modelCount === 3 }))
        step("general-settings", "the general settings", function() { tap("SettingsMenuForm", "GENERAL") },
             shows(function(screen) { return screen.formParam === "GENERAL" && screen.settingsCount > 0 }),
             settingPages())
        step("", "the settings menu", back, shows(function(screen) { return screen.modelCount === 3 }))
        step("session-settings", "the session settings", function() { tap("SettingsMenuForm", "SESSION") },
             shows(function(screen) { return screen.formParam === "SESSION" && screen.settingsCount > 1 }),
             settingPages())
        step("", "the settings menu", back, shows(function(screen) { return screen.modelCount === 3 }))
        step("repetition-times", "the repetition times", function() { tap("SettingsMenuForm", "") },
             shows(function(screen) { return screen.settingsCount === 3 }), settingPages())
        step("", "the settings menu", back, shows(function(screen) { return screen.modelCount === 3 }))
        step("", "the main menu", back, named("initialPage"))

        // The technician's screens behind a long press on SETTINGS.
        step("test-settings", "the test settings", function() { longPress("SettingsMenuForm") },
             shows(function(screen) { return screen.objectName === "TestSettingsForm" && screen.settingsCount === 5 }),
             settingPages())
        step("led-test", "the single LED test", function() {
            top().showPage(1)
            find(find(top(), "isSingleLedTest"), "buttonTouch").clicked(null)
        }, shows(function(screen) { return screen.btnSingleDriver !== undefined }))
        step("", "the test settings", back, named("TestSettingsForm"))
        step("calibration-menu", "the calibration menu", function() {
            top().showPage(4)
            find(find(top(), "MeMenuOscillatorCalibration"), "buttonTouch").clicked(null)
        }, shows(function(screen) { return screen.modelCount === 2 }))
        step("calibration-test", "the calibration test", function() { tap("TestOscillatorCalibration") },
             named("TestOscillatorCalibration"))
        step("", "the calibration menu", back, shows(function(screen) { return screen.modelCount === 2 }))
        step("calibration-run", "the calibration", function() { tap("ExecuteOscillatorCalibration") },
             named("ExecuteOscillatorCalibration"))
        step("", "the calibration menu", back, shows(function(screen) { return screen.modelCount === 2 }))
        step("", "the test settings", back, named("TestSettingsForm"))
        step("", "the main menu", back, named("initialPage"))

        // Synchronisation and GPS.
        step("synch-menu", "the synchronisation menu", function() { tap("SynchMenuForm") },
             named("SynchMenuForm"))
        step("synchronization", "the synchronisation pages", function() { tap("Synchronization") },
             named("Synchronization"), numberedPages(3))
        // What the START button's press and release send.
        step("synchronization-done", "the clock synchronised on the START button", function() {
            eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_KEY, true)
            Qt.callLater(function() { eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_KEY, false) })
        }, shows(function(screen) { return screen.objectName === "Synchronization" && screen.isDone }))
        step("", "the synchronisation menu, the screen closed by itself", null, named("SynchMenuForm"))
        step("gps", "the GPS pages", function() { tap("GPS") }, named("GPS"), numberedPages(2))
        step("", "the synchronisation menu", back, named("SynchMenuForm"))
        step("satellites", "the satellites", function() { tap("GPSSatellites") },
             shows(function(screen) { return screen.objectName === "GPSSatellites" && screen.satCount !== "" }))
        step("", "the synchronisation menu", back, named("SynchMenuForm"))
        step("", "the main menu", back, named("initialPage"))

        // Log export and the questions of the main menu.
        step("export", "the log export", function() { tap("ExportLog") }, named("ExportLog"))
        showBox("delete-question", "the question before the logs are deleted",
                question(function() { return boxText("Vl::Tavix3::UI::Application", "Delete log files") }))
        step("", "the main menu", back, named("initialPage"))
        showBox("reset-question", "the question before the settings are reset",
                question(function() { return boxText("Vl::Tavix3::UI::Application", "Reset to default") }))
        showBox("quit-question", "the question before Vantor quits",
                question(function() { return boxText("main", "Quit from Vantor") }))
        showBox("date-question", "the question about a start date in the past",
                question(function() {
                    return boxText("Vl::Tavix3::UI::Sema", "The date is earlier than the current date")
                }))
        showBox("three-captions", "a box with three captions", function() {
            return [boxText("main", "Quit from Vantor"), boxText("Vl::Tavix3::UI::MsgBox", "Yes"),
                    boxText("Vl::Tavix3::UI::MsgBox", "No"), boxText("MessageBox", "Cancel")]
        })
        showBox("repetition-notice", "the notice of a repetition time below the minimum", notice(function() {
            return boxText("Vl::Tavix3::UI::Sema", "Repetition time is not valid\nThe minimum time is %1").arg(20)
        }))
        showBox("list-notice", "the longest reason why a starting list is refused", notice(function() {
            var reason = "Row %1 of the workbook is not a start: it needs a bib number other than 0 and a time of day"
            return boxText("Vl::Tavix3::UI::StartingListWorkbook", reason).arg(12)
        }))
        showBox("calibration-notice", "the notice that the emulator does not calibrate", notice(function() {
            return boxText("Vl::Tavix3::UI::SystemHw", "Calibration is not allowed in emulator mode")
        }))

        step("wait-please", "the wait overlay", function() {
            application.showWaitPlease(true, true)
        }, function() { return find(mainItem, "waitOverlay").visible })
        step("", "the main menu", function() { application.hideWaitPlease() },
             function() { return !find(mainItem, "waitOverlay").visible })

        // The splash window of the start-up, shown again.
        step("splash", "the splash window", function() { splashWindow.visible = true },
             function() { return splashWindow.visible }, { "window": "splash" })
        step("", "the splash window hidden", function() { splashWindow.visible = false },
             function() { return !splashWindow.visible })

        step("about", "the about screen", function() {
            mainForm.openScreen("qrc:/menu/About.qml", { "objectName": "About", "formTitle": "ABOUT" })
        }, named("About"))
        step("", "the main menu", back, named("initialPage"))

        // Display-board mode: the output screen and the mirror window after a remote text.
        step("", "display-board mode", function() { application.displayboardMode = OrvaneEnum.DISPLAYBOARD_MODE },
             function() { return application.displayboardMode === OrvaneEnum.DISPLAYBOARD_MODE })
        // Clearing the text of an earlier visit holds the close icon back for a moment.
        step("board-output-empty", "the empty output screen, its close icon usable",
             function() { tap("NewSessionMenuForm") },
             shows(function(screen) {
                 return screen.objectName === "NewSessionMenuForm" && screen.runningTime !== undefined
                         && application.isInTimingMenu && !screen.guardTimer.running
             }))
        step("board-output", "the output screen showing a remote text", function() {
            if (!tourSupport.sendBoardText(boardText))
                throw new Error("cannot send the text")
        }, shows(function(screen) { return screen.runningTime.text === boardText }))
        step("mirror", "the mirror window showing the remote text", null, function() {
            var window = applicationQML.winDisplayboard
            if (!window)
                return false
            for (var i = 0; i < window.lamps.count; ++i) {
                if (!Qt.colorEqual(window.lamps.itemAt(i).lampColor, window.backgroundColor))
                    return true
            }
            return false
        }, { "window": "mirror" })
        step("board-race-settings", "the race settings in display-board mode",
             function() { top().settingsTouch.clicked(null) },
             shows(function(screen) { return screen.formParam === "RACE" && screen.settingsCount > 0 }),
             settingPages())
        step("", "the output screen", back, shows(function(screen) { return screen.runningTime !== undefined }))
        step("", "the main menu", function() {
            top().guardTimer.stop()
            back()
        }, named("initialPage"))
        step("", "the settings menu", function() { tap("SettingsMenuForm") },
             shows(function(screen) { return screen.objectName === "SettingsMenuForm" && screen.modelCount === 3 }))
        step("board-session-settings", "no session settings in display-board mode",
             function() { tap("SettingsMenuForm", "SESSION") },
             shows(function(screen) { return screen.formParam === "SESSION" && screen.settingsCount === 1 }))
        step("", "the settings menu", back, shows(function(screen) { return screen.modelCount === 3 }))
        step("", "the main menu in countdown mode", function() {
            back()
            application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
        }, named("initialPage"))
        return list
    }
}
