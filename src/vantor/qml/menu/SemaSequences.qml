import QtQuick 2.15
import velmora.Orvane 1.0

// The built-in sequences of one family: a tap opens the run screen of a sequence, a long press
// shows its interval table.
SemaSequencesForm {
    id: root

    readonly property var families: ({
        "SK": [SemaEnum.SEMA_SEQUENCE_ALPINE_SKI, SemaEnum.SEMA_SEQUENCE_NORDIC_SKI],
        "RA": [SemaEnum.SEMA_SEQUENCE_RALLY, SemaEnum.SEMA_SEQUENCE_SHAKEDOWN],
        "UH": [SemaEnum.SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN, SemaEnum.SEMA_SEQUENCE_UPHILL_COUNTDOWN]
    })

    // Fills the menu from the engine, so that the names follow the language.
    function loadModel() {
        initializing = true
        swipeViewRepeater.model = 0
        menuModel = null
        sequences.clear()
        var types = families.hasOwnProperty(sequence) ? families[sequence] : []
        for (var i = 0; i < types.length; ++i) {
            var name = sema.getNameFromSequenceType(types[i])
            sequences.append({ "name": "" + types[i], "title": name, "menuTitle": "", "text": name,
                               "page": "qrc:/menu/HandleSequence.qml", "image": "", "back": "", "listModel": "",
                               "param": "", "form": "" })
        }
        menuModel = sequences
        swipeViewRepeater.model = pageCount
        if (pageAfterReload >= 0 && pageAfterReload < pageCount)
            view.setCurrentIndex(pageAfterReload)
        pageAfterReload = -1
        initializing = false
    }

    onButtonLongPressed: {
        mainForm.openScreen("qrc:/menu/SemaSequence.qml", {
            "objectName": sequences.get(index).name, "formTitle": "", "pageSource": "",
            "formMenuTitle": qsTr("Sequence") + application.languageChanged, "formParam": "" })
    }
}
