import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the GPS screen: the synchronisation mode on the first page, the time zone on the second.
MenuPage {
    id: root
    objectName: "formGPS"

    property int page: 0
    property int maxPage: 1

    property alias cmbSyncMode: cmbSyncMode
    property alias cmbTimeZone: cmbTimeZone
    property alias leftIcon: leftIcon
    property alias leftTouch: leftTouch
    property alias rightIcon: rightIcon
    property alias rightTouch: rightTouch

    backIconVisible: false
    showSwipeView: false
    showBottomRect: false
    titleSideMargin: marginLeftForm + backIconWidth + 2

    Image {
        id: leftIcon
        objectName: "leftIcon"
        parent: topRect
        x: marginLeftForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: root.page !== 0 ? getImage("arrowLeft") : getImage("close")

        MouseArea {
            id: leftTouch
            objectName: "leftTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Image {
        id: rightIcon
        objectName: "rightIcon"
        parent: topRect
        anchors.right: parent.right
        anchors.rightMargin: marginRightForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: root.page === root.maxPage ? getImage("close") : getImage("arrowRight")

        MouseArea {
            id: rightTouch
            objectName: "rightTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Item {
        objectName: "syncModePage"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        visible: root.page === 0

        ComboBoxItem {
            id: cmbSyncMode
            objectName: "cmbSyncMode"
            anchors.centerIn: parent
            width: parent.width
        }
    }

    Item {
        objectName: "timeZonePage"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        visible: root.page === 1

        ComboBoxItem {
            id: cmbTimeZone
            objectName: "cmbTimeZone"
            anchors.centerIn: parent
            width: parent.width
        }
    }
}
