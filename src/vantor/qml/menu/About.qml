import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/customcontrols"

// The device's identity: serial number, host name, version and build dates, in a scrolling text.
MenuPage {
    id: root

    property alias aboutText: aboutText

    // A YYYYMMDD date is shown as DD/MM/YYYY, any other text as it is.
    function formatOsBuildDate(value) {
        if (!/^[0-9]{8}$/.test(value))
            return value
        return value.substring(6, 8) + "/" + value.substring(4, 6) + "/" + value.substring(0, 4)
    }

    function buildText() {
        var text = ""
        var serialNumber = application.getSerialNumber()
        if (serialNumber !== "")
            text += qsTr("Serial Number") + ": " + serialNumber + "\n"
        var hostName = application.getHostname()
        if (hostName !== "")
            text += qsTr("Host Name") + ": " + hostName + "\n"
        text += qsTr("Version") + ": " + application.getVersionNumber() + "\n"
        text += qsTr("Build Date") + ": " + application.getAppBuildDate() + "\n"
        var osBuildDate = application.getOsBuildDate()
        if (osBuildDate !== "")
            text += qsTr("OS Build Date") + ": " + formatOsBuildDate(osBuildDate) + "\n"
        return text
    }

    Flickable {
        id: flickable
        objectName: "aboutFlickable"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        anchors.bottomMargin: marginBottomForm
        clip: true
        contentWidth: width
        contentHeight: aboutText.height
        flickableDirection: Flickable.VerticalFlick

        // Shows the end of the text whenever it changes, unless the operator is scrolling.
        function scrollToEnd() {
            if (flickable.flicking || flickable.dragging || contentHeight <= height)
                return
            scrollAnimation.to = contentHeight - height
            scrollAnimation.restart()
        }

        ScrollIndicator.vertical: ScrollIndicatorItem {
        }

        TextArea {
            id: aboutText
            objectName: "aboutText"
            width: flickable.width
            readOnly: true
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            font.family: "Times New Roman"
            font.pointSize: 16
            renderType: Text.NativeRendering
            color: colorText
            background: Rectangle {
                color: root.color
            }
            onTextChanged: Qt.callLater(flickable.scrollToEnd)
        }

        SpringAnimation {
            id: scrollAnimation
            target: flickable
            property: "contentY"
            spring: 1
            damping: 0.4
        }
    }

    Component.onCompleted: aboutText.text = buildText()
}
