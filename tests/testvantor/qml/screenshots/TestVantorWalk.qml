import QtQuick 2.15
import velmora.Orvane 1.0

// The walk through TestVantor's tabs: connect to the running Vantor with the window's own button,
// ask for its version, settings, repetition times, sequences and GPS state, switch on the
// continuous status, fill both editors with a few rows, check that the answers come from the Vantor
// the walk started, then take one picture per tab at the default size and one in the smallest
// window. One step per tick, so that answers arrive and the window settles.
Item {
    id: walk

    property var steps: []
    property int current: 0
    property int attempts: 0

    function step(action, delay) {
        steps.push({ "action": action, "delay": delay === undefined ? 700 : delay })
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

    function pad(number) {
        return number < 10 ? "0" + number : String(number)
    }

    // Vantor opens its command port shortly after start-up: a refused attempt is made again.
    function connectToVantor() {
        if (mainForm.isConnected)
            return
        if (++attempts > 20) {
            shooter.fail("TestVantor did not connect to Vantor")
            return
        }
        connectButton.clicked()
        current -= 1
    }

    // The answers come from the Vantor that the walk started: its version, and the sequence that
    // only its folder holds.
    function checkTheAnswers() {
        if (vantorVersion === "" || mainForm.statusVersionNumber !== vantorVersion)
            shooter.fail("version " + mainForm.statusVersionNumber + " answered, the Vantor started is " + vantorVersion)
        var names = mainForm.sequenceList.map(function(entry) { return entry.SequenceName })
        if (names.indexOf(markerSequence) < 0)
            shooter.fail("the sequences answered (" + names.join(", ") + ") lack " + markerSequence
                         + ": another server answered")
    }

    function findItem(item, name) {
        if (item.objectName === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = findItem(item.children[i], name)
            if (found)
                return found
        }
        return null
    }

    function signChooser() {
        return findItem(sequenceEditorTab.sequenceList.itemAtIndex(0), "signChooser")
    }

    function fillEditors() {
        sequenceEditorTab.sequenceIdInput.text = "S-1"
        sequenceEditorTab.sequenceNameInput.text = "Slalom"
        var rows = [{ "time": -10, "color": SemaEnum.SEMA_COLOR_RED, "sound": SemaEnum.SEMA_SOUND_BIP, "isFalseStartWindow": false },
                    { "time": -5, "color": SemaEnum.SEMA_COLOR_YELLOW, "sound": SemaEnum.SEMA_SOUND_BIP, "isFalseStartWindow": false },
                    { "time": 0, "color": SemaEnum.SEMA_COLOR_GREEN, "sound": SemaEnum.SEMA_SOUND_LONG_BIP, "isFalseStartWindow": true },
                    { "time": 5, "color": SemaEnum.SEMA_COLOR_OFF, "sound": SemaEnum.NO_SEMA_SOUND, "isFalseStartWindow": false }]
        rows.forEach(function(row) { mainForm.semaSequenceModel.append(row) })
        startingListEditorTab.startingListIdInput.text = "L-1"
        startingListEditorTab.startingListNameInput.text = "Heat 1"
        mainForm.semaStartingListModel.append({ "bibNumber": 1, "time": "10:00:00", "date": "" })
        mainForm.semaStartingListModel.append({ "bibNumber": 2, "time": "10:00:30", "date": "" })
        mainForm.semaStartingListModel.append({ "bibNumber": 3, "time": "10:01:00", "date": "" })
    }

    Timer {
        id: ticker
        repeat: false
        onTriggered: walk.next()
    }

    Component.onCompleted: {
        step(function() { mainForm.requestActivate() }, 1000)
        step(function() { connectToVantor() }, 1000)
        step(function() {
            backend.getVersionNumber()
            backend.getSettings()
            backend.getRepetitionTimes()
            backend.getAllSequences()
            backend.getGPSEnabled()
            backend.getGPSSyncMode()
            backend.getGPSTimeZoneShift()
            backend.getWifiEnabled()
            // A sequence Vantor does not know: its error reply is logged.
            backend.setCurrentSequenceName("Downhill")
            backend.sendSetEnabledOutputStatus()
            fillEditors()
        }, 3000)
        step(function() { checkTheAnswers() }, 100)
        // Every tab at the default size, then in the smallest window.
        var sizes = [{ "prefix": "testvantor-", "width": mainForm.width, "height": mainForm.height },
                     { "prefix": "testvantor-smallest-", "width": mainForm.minimumWidth, "height": mainForm.minimumHeight }]
        sizes.forEach(function(size) {
            step(function() {
                mainForm.width = size.width
                mainForm.height = size.height
            })
            for (var i = 0; i < tabBar.count; ++i) {
                (function(index) {
                    step(function() { tabBar.currentIndex = index })
                    step(function() {
                        var title = tabBar.itemAt(index).text.toLowerCase().replace(/ /g, "-")
                        shooter.save(size.prefix + pad(index + 1) + "-" + title)
                    }, 100)
                })(i)
            }
            // The narrowest chooser's list open, the sign of the first sequence row.
            step(function() {
                tabBar.currentIndex = 4
                signChooser().popup.open()
            })
            step(function() { shooter.save(size.prefix + "05-internal-sequence-sign-list") }, 100)
            step(function() { signChooser().popup.close() })
        })
        step(function() {
            backend.sendSetDisableOutputStatus()
            disconnectButton.clicked()
        }, 500)
        ticker.interval = 10
        ticker.start()
    }
}
