import QtQuick 2.15

// The sequence families and the custom sequence files: a family opens its built-in sequences,
// CUSTOM and USB open the file chooser on the internal folder or on the USB folder.
ListModel {
    id: model

    property var actions: ({})

    function entry(name, text, page, image, param) {
        return { "name": name, "title": text, "menuTitle": "", "text": text, "page": page, "image": getImage(image),
                 "back": "", "listModel": "", "param": param, "form": "" }
    }

    Component.onCompleted: {
        append(entry("RallySequence", qsTr("RALLY"), "qrc:/menu/SemaSequences.qml", "rally", "RA"))
        append(entry("SkiSequence", qsTr("SKI"), "qrc:/menu/SemaSequences.qml", "ski", "SK"))
        append(entry("UphillSequence", qsTr("UP HILL"), "qrc:/menu/SemaSequences.qml", "uphill", "UH"))
        append(entry("CustomSequence", qsTr("CUSTOM"), "qrc:/menu/Import.qml", "custom", "custom"))
        append(entry("USB", "USB", "qrc:/menu/Import.qml", "usb", "USB"))
    }
}
