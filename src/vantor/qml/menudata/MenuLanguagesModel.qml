import QtQuick 2.15
import velmora.Orvane 1.0

// The language menu: each entry switches the language and goes back.
ListModel {
    id: model

    property var actions: ({
        "English": function(param) { return model.choose(OrvaneEnum.LANGUAGE_ENG) },
        "Italiano": function(param) { return model.choose(OrvaneEnum.LANGUAGE_ITA) },
        "Deutsch": function(param) { return model.choose(OrvaneEnum.LANGUAGE_DEU) }
    })

    function choose(language) {
        application.currentLanguage = language
        mainForm.menuPressed()
        return false
    }

    function entry(name) {
        return { "name": name, "text": name, "title": "", "menuTitle": "", "image": getImage("infoPiccolo"),
                 "page": "MenuPage.qml", "listModel": "", "back": "", "param": "", "form": "" }
    }

    Component.onCompleted: {
        append(entry("English"))
        append(entry("Italiano"))
        append(entry("Deutsch"))
    }
}
