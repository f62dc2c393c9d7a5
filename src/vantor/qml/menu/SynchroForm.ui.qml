import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the synchronisation screen: the time of day, the date, and the page that waits for the
// start impulse with its START button.
MenuPage {
    id: root
    objectName: "formSynchro"

    property int page: 0
    property int maxPage: 2

    property alias setTime: setTime
    property alias setDate: setDate
    property alias lblInfo: lblInfo
    property alias btnStart: btnStart
    property alias btnStartTouch: btnStartTouch
    property alias leftIcon: leftIcon
    property alias leftTouch: leftTouch
    property alias rightIcon: rightIcon
    property alias rightTouch: rightTouch
    property alias tmrShow: tmrShow

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
        objectName: "timePage"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        visible: root.page === 0

        SetTime {
            id: setTime
            objectName: "setTime"
            anchors.centerIn: parent
            isShowHours: true
        }
    }

    Item {
        objectName: "datePage"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        visible: root.page === 1

        SetDate {
            id: setDate
            objectName: "setDate"
            anchors.centerIn: parent
        }
    }

    Item {
        objectName: "startPage"
        anchors.fill: parent
        visible: root.page === 2

        Text {
            id: lblInfo
            objectName: "lblInfo"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: btnStart.top
            anchors.leftMargin: marginLeftForm
            anchors.rightMargin: marginRightForm
            text: qsTr("WAIT START") + application.languageChanged
            color: isBrightVersion ? "#363636" : "white"
            font.pixelSize: 40
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Rectangle {
            id: btnStart
            objectName: "btnStart"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            width: 150
            height: 75
            color: isBrightVersion ? "#363636" : "#e9dd2f"
            opacity: enabled ? 1 : 0.5

            Text {
                objectName: "btnStartText"
                anchors.fill: parent
                text: qsTr("START") + application.languageChanged
                color: isBrightVersion ? "#e9dd2f" : "#363636"
                font.pixelSize: 40
                fontSizeMode: Text.Fit
                minimumPixelSize: 12
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            MouseArea {
                id: btnStartTouch
                objectName: "btnStartTouch"
                anchors.fill: parent
            }
        }
    }

    Timer {
        id: tmrShow
        objectName: "tmrShow"
        interval: 2000
        repeat: false
    }

}
