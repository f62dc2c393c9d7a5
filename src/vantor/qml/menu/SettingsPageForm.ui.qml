import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the paged settings screens: one setting per page in a swipe view, arrows in the title
// bar to move between the pages, the page indicator and the close icon at the bottom.
MenuPage {
    id: root

    // Index of the page shown.
    property int page: 0
    // One entry per page: id, title, type and the values the page's control needs.
    property ListModel settingsModel: ListModel {
    }
    // Set while the list is being filled, so that a load does not start inside a load.
    property bool inLoadSettings: false

    readonly property int settingsCount: settingsModel.count
    readonly property bool isFirstSetting: page <= 0
    readonly property bool isLastSetting: page >= settingsCount - 1
    // How far the close icon reaches up into the pages from below.
    readonly property real closeIconOverlap: Math.max(0, settingsView.y + settingsView.height - closeIcon.y)

    property alias view: settingsView
    property alias settingsRepeater: settingsRepeater
    property alias previousIcon: previousIcon
    property alias previousTouch: previousTouch
    property alias nextSettingIcon: nextSettingIcon
    property alias nextSettingTouch: nextSettingTouch
    property alias closeIcon: closeIcon
    property alias closeTouch: closeTouch
    property alias settingsIndicator: settingsIndicator

    showSwipeView: false
    showBottomRect: false
    backIconVisible: false
    titleSideMargin: marginLeftForm + backIconWidth + 2

    Image {
        id: previousIcon
        objectName: "previousIcon"
        parent: root.topRect
        x: marginLeftForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        opacity: root.isFirstSetting ? 0.5 : 1
        source: getImage("arrowLeft")

        MouseArea {
            id: previousTouch
            objectName: "previousTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
            enabled: !root.isFirstSetting
        }
    }

    Image {
        id: nextSettingIcon
        objectName: "nextSettingIcon"
        parent: root.topRect
        anchors.right: parent.right
        anchors.rightMargin: marginRightForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        opacity: root.isLastSetting ? 0.5 : 1
        source: getImage("arrowRight")

        MouseArea {
            id: nextSettingTouch
            objectName: "nextSettingTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
            enabled: !root.isLastSetting
        }
    }

    SwipeViewItem {
        id: settingsView
        objectName: "settingsView"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: settingsIndicator.top
        anchors.bottomMargin: 2
        clip: true

        Repeater {
            id: settingsRepeater
            model: root.settingsModel

            // The page's control gets a copy of its entry: the model's rows go away before the
            // pages do when the list is loaded again.
            delegate: Loader {
                property var entry: null

                objectName: "settingPage" + index

                Component.onCompleted: {
                    entry = root.entrySnapshot(index)
                    sourceComponent = root.getComponent(entry.type)
                }
            }
        }
    }

    ViewPageIndicator {
        id: settingsIndicator
        objectName: "settingsIndicator"
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 3
        anchors.horizontalCenter: parent.horizontalCenter
        height: 12
        maxIndex: 20
        visible: root.settingsCount > 1
        count: root.settingsCount
        currentIndex: root.page
    }

    Image {
        id: closeIcon
        objectName: "closeIcon"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: marginRightForm
        anchors.bottomMargin: marginBottomForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: getImage("close")

        MouseArea {
            id: closeTouch
            objectName: "closeTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }
}
