import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/customcontrols"

// Layout of every menu: the title bar with its back and next icons, the pages of icons and the
// page indicator; screens built on it put their own items into the content area.
AppStackItem {
    id: root

    property string pageSource: ""
    property var menuModel: pageLoader.item
    property int iconForPage: 3
    property string formTitle: ""
    property string formMenuTitle: ""
    property string formSubTitle: ""
    property var formParam
    property bool backIconVisible: true
    property bool showBottomRect: true
    property bool showSwipeView: true
    property bool initializing: true
    property int buttonPixelSizeHorizontal: 15
    property int buttonPixelSizeMainPage: 22
    property int buttonPixelSizeVertical: 22
    // The title keeps clear of the icons while they are shown.
    property int titleSideMargin: backIconVisible ? marginLeftForm + backIconWidth + 2 : 5

    readonly property bool isFirstScreen: StackView.index === 0
    readonly property int modelCount: menuModel && menuModel.count !== undefined ? menuModel.count : 0
    readonly property bool isMultiPage: modelCount / iconForPage > 1
    readonly property int pageCount: Math.ceil(modelCount / iconForPage)
    readonly property bool isLastPage: view.currentIndex >= pageCount - 1

    property alias formMenu: root
    property alias pageLoader: pageLoader
    property alias swipeViewRepeater: swipeViewRepeater
    property alias view: view
    property alias topRect: topRect
    property alias backIcon: backIcon
    property alias backTouch: backTouch
    property alias nextIcon: nextIcon
    property alias nextTouch: nextTouch
    property alias bottomRect: bottomRect
    property alias txtTitle: txtTitle
    property alias txtSubTitle: txtSubTitle
    property alias contentArea: contentArea
    default property alias _contentChildren: contentArea.data

    // Raised by the pages for a tap and for a long press on one of their icons.
    signal iconTapped(var entry)
    signal iconLongPressed(int index, var entry)

    Loader {
        id: pageLoader
    }

    Rectangle {
        id: topRect
        objectName: "topRect"
        y: 11
        z: 10
        width: parent.width
        height: 48
        color: root.color

        Image {
            id: backIcon
            objectName: "backIcon"
            x: marginLeftForm
            width: backIconWidth
            height: backIconWidth
            visible: root.backIconVisible
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
            source: root.isMultiPage && root.view.currentIndex > 0 ? getImage("arrowLeft") : getImage("close")

            MouseArea {
                id: backTouch
                objectName: "backTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }

        Text {
            id: txtTitle
            objectName: "txtTitle"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.leftMargin: root.titleSideMargin
            anchors.rightMargin: root.titleSideMargin
            height: txtSubTitle.text !== "" ? 20 : 40
            text: root.formTitle
            color: colorTitle
            font.pixelSize: 15
            font.bold: true
            // Alone, a long title takes a second line before it shrinks; never below 12 pixels.
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            wrapMode: txtSubTitle.text !== "" ? Text.NoWrap : Text.WordWrap
            maximumLineCount: 2
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Text {
            id: txtSubTitle
            objectName: "txtSubTitle"
            y: 20
            anchors.left: txtTitle.left
            anchors.right: txtTitle.right
            // The rest of the title bar: a long subtitle (a setting's name) takes two lines.
            height: parent.height - y
            visible: text !== ""
            text: root.formSubTitle
            color: colorTitle
            font.pixelSize: 15
            font.bold: true
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Image {
            id: nextIcon
            objectName: "nextIcon"
            anchors.right: parent.right
            anchors.rightMargin: marginRightForm
            width: backIconWidth
            height: backIconWidth
            visible: root.backIconVisible && root.isMultiPage
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
            source: root.isLastPage ? getImage("close") : getImage("arrowRight")

            MouseArea {
                id: nextTouch
                objectName: "nextTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }
    }

    Item {
        id: contentArea
        objectName: "contentArea"
        anchors.top: topRect.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        SwipeViewItem {
            id: view
            objectName: "swipeView"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: bottomRect.top
            clip: true
            visible: root.showSwipeView && root.menuModel !== null && root.menuModel !== undefined

            Repeater {
                id: swipeViewRepeater
                model: 0

                // The ids here must not match the entries' role names (name, page, text, ...).
                delegate: Item {
                    id: pageItem

                    property int pageIndex: index

                    objectName: "menuPage" + index

                    ListModel {
                        id: pageList
                    }

                    Row {
                        id: row
                        readonly property bool fullRow: pageList.count === root.iconForPage && root.iconForPage === 3
                        anchors.horizontalCenter: parent.horizontalCenter
                        height: parent.height
                        spacing: fullRow ? (pageItem.width - 2 * marginLeftForm - 3 * 90) / 2 : 12

                        Repeater {
                            model: pageList

                            delegate: IconButton {
                                objectName: "menuIcon_" + model.name
                                width: 90
                                height: row.height
                                isVertical: true
                                icon: model.image !== undefined && model.image !== "" ? model.image : getImage("infoPiccolo")
                                text: model.text !== undefined ? model.text : ""
                                pixelSize: root.buttonPixelSizeHorizontal
                                longPressTime: root.isFirstScreen ? 5000 : 1000
                                enabled: model.enabled !== false
                                opacity: enabled ? 1 : 0.5
                                onPressed: root.iconTapped(pageList.get(index))
                                onLongPressed: root.iconLongPressed(pageItem.pageIndex * root.iconForPage + index,
                                                                    pageList.get(index))

                                Connections {
                                    target: view
                                    function onCurrentIndexChanged() {
                                        cancelLongPress()
                                    }
                                }
                            }
                        }
                    }

                    Component.onCompleted: root.rowCompleted(pageList, index, index)
                }
            }
        }

        Item {
            id: bottomRect
            objectName: "bottomRect"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: root.showBottomRect && root.menuModel ? 12 + 15 : 0

            ViewPageIndicator {
                objectName: "pageIndicator"
                anchors.top: parent.top
                anchors.horizontalCenter: parent.horizontalCenter
                height: 12
                visible: root.isMultiPage
                count: root.pageCount
                currentIndex: view.currentIndex
            }
        }
    }

    Text {
        objectName: "versionText"
        visible: root.isFirstScreen
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Version") + " " + application.getVersionNumber() + application.languageChanged
        font.pixelSize: 12
        color: colorMenuTitle
    }
}
