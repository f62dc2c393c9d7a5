import QtQuick 2.15
import velmora.Orvane 1.0

// The walk through the main screens: the language screen of the first start, then, in both
// themes and in English, Italian and German, the main menu, the language screen, the quit
// question and the run screen during a countdown. One step per tick, so that screens settle.
Item {
    id: walk

    property var steps: []
    property int current: 0
    property string prefix: ""

    function step(action, delay) {
        steps.push({ "action": action, "delay": delay === undefined ? 800 : delay })
    }

    function next() {
        if (current >= steps.length) {
            Qt.quit()
            return
        }
        var entry = steps[current++]
        try {
            entry.action()
        } catch (error) {
            shooter.fail("step " + current + ": " + error)
        }
        ticker.interval = entry.delay
        ticker.start()
    }

    function shot(name) {
        shooter.save(prefix + name)
    }

    function topBox() {
        var boxes = mainItem.messageBoxList
        return boxes.length > 0 ? boxes[boxes.length - 1] : null
    }

    function openLanguages() {
        mainForm.openScreen("qrc:/menu/MenuPage.qml", {
            "objectName": "Languages", "pageSource": "qrc:/menudata/MenuLanguagesModel.qml",
            "formTitle": "Languages", "iconForPage": 2, "backIconVisible": false })
    }

    // The engine, once it runs sequences, counts down at once when the operator starts.
    function openRunScreen() {
        if (typeof sema.setSequenceMode === "function" || sema.sequenceMode !== undefined)
            sema.sequenceMode = SemaEnum.SEQUENCE_MODE_MANUAL
        if (sema.isRestartWithNextMinute !== undefined)
            sema.isRestartWithNextMinute = false
        var name = typeof sema.getNameFromSequenceType === "function" ? sema.getNameFromSequenceType(0) : "ALPINE SKI"
        var screen = mainForm.openScreen("qrc:/menu/HandleSequence.qml", {
            "objectName": "0", "formTitle": name, "formParam": "" })
        if (screen)
            screen.page = 2
    }

    function startCountdown() {
        var screen = stack.currentItem
        if (screen && screen.isRunScreen)
            screen.rightTouch.clicked(null)
    }

    // The quit question waits in its own event loop until it is answered: the picture is taken
    // and the question answered "No" from a timer while it waits.
    function askToQuit(name) {
        ticker.stop()
        mainForm.requestActivate()
        answer.name = name
        answer.start()
        queryCloseApp()
    }

    Timer {
        id: ticker
        repeat: false
        onTriggered: walk.next()
    }

    Timer {
        id: answer
        property string name
        interval: 800
        repeat: false
        onTriggered: {
            walk.shot(name)
            var box = walk.topBox()
            if (box)
                keyEmitter.emitKey(OrvaneEnum.QKEY_F3, box)
            giveUp.start()
        }
    }

    // Without the keyboard focus (no window manager) the key has nowhere to go: close the box.
    Timer {
        id: giveUp
        interval: 500
        repeat: false
        onTriggered: {
            var box = walk.topBox()
            if (box && box.visible)
                box.setClose()
        }
    }

    Component.onCompleted: {
        // The main window shows once the splash has timed out (2 s).
        step(function() { mainForm.requestActivate() }, 2500)
        step(function() { shot("first-start-languages") })
        var themes = [{ "name": "dark", "highContrast": false }, { "name": "light", "highContrast": true }]
        var languages = [{ "name": "en", "value": OrvaneEnum.LANGUAGE_ENG },
                         { "name": "it", "value": OrvaneEnum.LANGUAGE_ITA },
                         { "name": "de", "value": OrvaneEnum.LANGUAGE_DEU }]
        themes.forEach(function(theme) {
            languages.forEach(function(language) {
                var prefix = theme.name + "-" + language.name + "-"
                step(function() {
                    walk.prefix = prefix
                    mainForm.popToFirstScreen()
                    application.isHighContrast = theme.highContrast
                    application.currentLanguage = language.value
                })
                step(function() { shot("main-menu") })
                step(function() { openLanguages() })
                step(function() { shot("languages"); mainForm.menuPressed() })
                step(function() { askToQuit("quit-question") }, 600)
                step(function() { openRunScreen() })
                step(function() { startCountdown() }, 3000)
                step(function() { shot("run-screen"); mainForm.menuPressed() })
            })
        })
        ticker.interval = 10
        ticker.start()
    }
}
