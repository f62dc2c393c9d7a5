import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import velmora.Orvane 1.0
import "qrc:/customcontrols"
import "qrc:/forms"
import "qrc:/menu"

// The root of the user interface: the values every screen shares, the main window with its
// status bar, info bar, wait overlay, screen stack and message boxes, and the emulator's
// START and LAP buttons.
QtObject {
    id: applicationQML
    objectName: "applicationQML"

    property bool appSplash: appEmulator && !isDebug
    property int toolBarHeight: 22
    property int defaultWidth: 320
    property int defaultHeight: 240
    property int appWidth: defaultWidth
    property int appHeight: appEmulator ? defaultHeight + 40 : defaultHeight
    property int power_shutdown_menu: 2000
    property int xPosition: 0
    property int yPosition: 0
    property var winDisplayboard: null
    property bool isLowBattery: false
    property bool isShutDownRequired: false
    property bool isExtSupplyValid: false
    property var batteryPerc
    property color colorDefault: "#eee230"
    property color colorDefaultBackground: application.isHighContrast ? "#e9dd2f" : "#363636"
    property color colorDefaultText: application.isHighContrast ? "#363636" : "white"
    property color colorRed: "#d12f2f"
    property color colorYellow: "#d29730"
    property color colorGreen: "#007743"
    // Red for texts: the dark theme's ground needs a lighter shade to read it.
    property color colorRedText: application.isHighContrast ? colorRed : "#ff6464"
    property var splashWindow: null
    property alias mainForm: mainForm

    // Themed icons: the same names in the "Dark" and the "Light" set.
    function getImage(name) {
        return "qrc:/resources/" + (application.isHighContrast ? "Light/" : "Dark/") + name + ".png"
    }

    function queryCloseApp() {
        return messageBox.sure(qsTr("Quit from Vantor") + application.languageChanged)
    }

    function closeApp() {
        application.showWaitPlease(false)
        application.isClosing = true
        application.suspendEventsThread()
        clockTimer.stop()
        stack.visible = false
        stack.clear()
        if (!appEmulator)
            systemHw.linuxShutDown()
        Qt.quit()
    }

    // The LED mirror window, right next to the main window (emulator only).
    function showDisplayboardForm() {
        if (!appEmulator || winDisplayboard)
            return
        var url = "qrc:/forms/Displayboard.qml"
        if (!mainForm.screenAvailable(url))
            return
        var component = Qt.createComponent(url)
        var window = component.createObject(applicationQML, { "defaultHeight": mainForm.height })
        if (!window) {
            console.log("Cannot create the LED mirror window: " + component.errorString())
            return
        }
        winDisplayboard = window
        window.x = mainForm.x + mainForm.width
        window.y = mainForm.y
        // Closed by the user: a change of visibility would also come while the root itself is
        // destroyed, when the window is already going.
        window.closing.connect(function() {
            window.destroy()
            winDisplayboard = null
            mainForm.requestActivate()
        })
        window.show()
        mainForm.requestActivate()
    }

    function createSplash() {
        var url = "qrc:/menu/Splash.qml"
        if (!mainForm.screenAvailable(url)) {
            application.isCompleted = true
            return
        }
        var component = Qt.createComponent(url)
        splashWindow = component.createObject(applicationQML, { "isEnabled": appSplash })
        if (!splashWindow) {
            console.log("Cannot create the splash window: " + component.errorString())
            application.isCompleted = true
            return
        }
        splashWindow.timeout.connect(function() { application.isCompleted = true })
        // A disabled splash never times out: the main window must not wait for it.
        if (!appSplash)
            application.isCompleted = true
    }

    property ApplicationWindow controlWindow: ApplicationWindow {
        id: mainForm
        objectName: "MainForm"

        property alias longPressTimer: longPressTimer
        property alias infoBar: infoBar
        // Guards against a second quit question while one is open.
        property bool quitQuestionOpen: false
        // Screens asked for that this build does not have, each warned about once per request.
        readonly property string unavailablePrefix: "Screen not available yet: "

        signal isLowBatteryChanged(bool value)
        signal isShutDownRequiredChanged(bool value)

        visible: false
        title: "Vantor"
        color: colorDefaultBackground
        width: appEmulator ? appWidth : appHeight
        height: appEmulator ? appHeight : appWidth

        function screenAvailable(url) {
            var path = ("" + url).replace(/^qrc:/, ":")
            if (utils.fileExists(path))
                return true
            console.warn(unavailablePrefix + url)
            return false
        }

        // Pushes a screen by its resource address; a screen or menu model this build lacks
        // opens nothing.
        function openScreen(url, properties) {
            if (!screenAvailable(url))
                return null
            if (properties && properties.pageSource && !screenAvailable(properties.pageSource))
                return null
            return stack.push(url, properties)
        }

        function waitWhileBusy() {
            while (stack.busy)
                utils.processEvents(10)
        }

        function menuPressed() {
            waitWhileBusy()
            if (stack.depth <= 1)
                return
            stack.currentItem.popping()
            stack.pop()
        }

        // Goes back to `item`, letting every screen above it know that it is leaving; one pop
        // transition, so that `item` fades in again.
        function popTo(item) {
            waitWhileBusy()
            if (!item || stack.currentItem === item)
                return
            for (var index = stack.depth - 1; index > 0 && stack.get(index) !== item; --index)
                stack.get(index).popping()
            stack.pop(item)
        }

        function popToFirstScreen() {
            popTo(stack.get(0))
        }

        function batteryImageName(perc, externalSupply) {
            var name
            if (perc === undefined || perc === null || perc === 0)
                name = "battery_5"
            else if (perc >= 70)
                name = "battery_1"
            else if (perc >= 40)
                name = "battery_2"
            else if (perc >= 20)
                name = "battery_3"
            else
                name = "battery_4"
            return externalSupply ? name + "B" : name
        }

        function wifiImageName(level) {
            if (level <= 0 || level < 40)
                return "wifi"
            if (level < 50)
                return "wifi_2"
            if (level < 53)
                return "wifi_3"
            if (level < 90)
                return "wifi_4"
            return "wifi_5"
        }

        function gpsImageName() {
            if (gps.isEnabled !== true)
                return ""
            if (gps.isValid)
                return gps.isSynchedByCountinuos ? "gps_sync" : "gps_on"
            return gps.isSynchedByCountinuos ? "gps_no_synced" : "gps_no"
        }

        function setBatteryImage() {
            var name = batteryImageName(batteryPerc, isExtSupplyValid)
            batteryIcon.source = Qt.binding(function() { return getImage(name) })
        }

        // A remote client opened a sequence: show it on the run screen itself, whichever screen
        // is on top, or open the run screen when there is none. The run has the board and the
        // timing inputs to itself: a continuous LED test stops, and the run screen opens right
        // above the first screen, the screens the operator had open being left as the operator
        // leaves them (a synchronisation screen under the run would take its start impulse).
        function showRunScreen(sequenceType) {
            var name = sema.getNameFromSequenceType(sequenceType)
            if (sema.isShowingLedTest)
                sema.isShowingLedTest = false
            var runScreen = stack.find(function(item) { return item.isRunScreen === true })
            if (application.isInTimingMenu && runScreen) {
                popTo(runScreen)
                if (runScreen.page !== 2)
                    runScreen.page = 2
                runScreen.formTitle = name
                return
            }
            popToFirstScreen()
            openScreen("qrc:/menu/HandleSequence.qml", {
                "formMenuTitle": qsTr("Sequence") + application.languageChanged, "formParam": "2",
                "pageSource": "", "objectName": "" + sequenceType, "formTitle": name })
        }

        function hideRunScreen() {
            if (!application.isInTimingMenu)
                return
            application.showWaitPlease()
            popToFirstScreen()
            displayboard.reset()
            application.hideWaitPlease()
        }

        function showOutputScreen() {
            if (!application.isInTimingMenu)
                openScreen("qrc:/menu/DisplayboardOutput.qml", {
                    "objectName": "NewSessionMenuForm", "formTitle": qsTr("NEW SESSION"),
                    "formMenuTitle": qsTr("NEW SESSION"), "pageSource": "" })
        }

        // Screen requests of the remote clients are handled one after the other: a request that
        // arrives while another one waits for the screen stack (whose event loop delivers it) waits
        // its turn, so a hide and the show after it happen in the order they were asked for.
        property var remoteRequests: []
        property bool handlingRemoteRequests: false

        function handleRemoteRequest(request) {
            remoteRequests = remoteRequests.concat([request])
            if (handlingRemoteRequests)
                return
            handlingRemoteRequests = true
            try {
                while (remoteRequests.length > 0) {
                    var next = remoteRequests[0]
                    remoteRequests = remoteRequests.slice(1)
                    try {
                        next()
                    } catch (error) {
                        console.error("A remote screen request failed: " + error)
                    }
                }
            } finally {
                handlingRemoteRequests = false
            }
        }

        function askToQuit() {
            if (quitQuestionOpen)
                return
            quitQuestionOpen = true
            var confirmed = queryCloseApp()
            quitQuestionOpen = false
            if (confirmed)
                closeApp()
        }

        onClosing: {
            close.accepted = false
            if (quitQuestionOpen)
                return
            quitQuestionOpen = true
            var confirmed = queryCloseApp()
            quitQuestionOpen = false
            if (confirmed) {
                close.accepted = true
                closeApp()
            }
        }

        // The focus the first screen takes while the window waits behind the splash does not
        // reach the window: once it is active, the keys must go to the top screen or box.
        function restoreKeyFocus() {
            if (active && !activeFocusItem && !application.isClosing)
                mainItem.setFocusAfterClosingMessageBox()
        }

        onActiveChanged: {
            if (active)
                Qt.callLater(mainForm.restoreKeyFocus)
        }

        onIsLowBatteryChanged: {
            if (value)
                infoBar.add(qsTr("!!Low battery!!") + application.languageChanged, 10000, colorRed)
        }

        onIsShutDownRequiredChanged: {
            if (value)
                shutDownTimer.start()
        }

        Component.onCompleted: {
            // Device services without a touch filter have nothing to install.
            if (typeof systemHw.touchListenerListenTo === "function")
                systemHw.touchListenerListenTo(mainForm)
            if (application.currentLanguage === OrvaneEnum.NO_LANGUAGE)
                openScreen("qrc:/menu/MenuPage.qml", {
                    "objectName": "Languages", "pageSource": "qrc:/menudata/MenuLanguagesModel.qml",
                    "formTitle": "Languages", "iconForPage": 2, "backIconVisible": false })
            if (appEmulator) {
                x = (Screen.width - width) / 2
                y = (Screen.height - height) / 2
                showDisplayboardForm()
            }
            createSplash()
        }

        Utils {
            id: utils
        }

        TimeValidator {
            id: timeValidator
        }

        DateValidator {
            id: dateValidator
        }

        DateTimeUtil {
            id: dateTimeUtil
        }

        Timer {
            id: longPressTimer
            interval: power_shutdown_menu
            repeat: false
            onTriggered: mainForm.askToQuit()
        }

        Timer {
            id: shutDownTimer
            interval: 100
            repeat: false
            onTriggered: closeApp()
        }

        Connections {
            target: systemHw
            function onBatteryPercChanged(value) {
                batteryPerc = value
                mainForm.setBatteryImage()
            }
            function onIsExtSupplyValidChanged(value) {
                isExtSupplyValid = value
                mainForm.setBatteryImage()
            }
            function onIsLowBatteryChanged(value) {
                isLowBattery = value
                mainForm.isLowBatteryChanged(value)
            }
            function onIsShutDownRequiredChanged(value) {
                isShutDownRequired = value
                mainForm.isShutDownRequiredChanged(value)
            }
            function onIsInCalibrationChanged() {
                if (systemHw.isInCalibration)
                    msgBoxCalibration.setVisibleWithCancel()
            }
        }

        Connections {
            target: application
            function onWaitPleaseChanged(show, showEsc, showGauge) {
                waitOverlay.info1 = ""
                waitOverlay.info2 = ""
                busyIndicator.visible = showGauge
                busyIndicator.running = showGauge && show
                waitOverlay.visible = show
                waitOverlay.showEsc = showEsc
            }
            function onInfo1WaitPleaseChanged(message) {
                waitOverlay.info1 = message
            }
            function onInfo2WaitPleaseChanged(message) {
                waitOverlay.info2 = message
            }
            function onIsCompletedChanged() {
                mainForm.visible = true
            }
            function onReloadMenuModel(name) {
                if (stack.currentItem && typeof stack.currentItem.reloadModel === "function")
                    stack.currentItem.reloadModel(name)
            }
            function onShowDisplayboardOutputMenu() {
                mainForm.handleRemoteRequest(mainForm.showOutputScreen)
            }
            function onShowHandleSequenceMenu(sequenceType) {
                mainForm.handleRemoteRequest(function() { mainForm.showRunScreen(sequenceType) })
            }
            function onHideHandleSequenceMenu() {
                mainForm.handleRemoteRequest(mainForm.hideRunScreen)
            }
            function onScreenRequestsTicket(ticket) {
                mainForm.handleRemoteRequest(function() { application.screenRequestsDone(ticket) })
            }
        }

        Connections {
            target: infoBarMessage
            function onShowInfoMessage(message, time, color) {
                infoBar.add(message, time, color)
            }
        }

        BaseForm {
            id: mainItem
            objectName: "mainItem"

            // Open message boxes, bottom first; the last one is on top.
            property var messageBoxList: []
            property int messageBoxListCounter: 0

            function uniqueBoxName() {
                var number = messageBoxListCounter
                for (;;) {
                    var name = "messageBox" + number
                    var taken = messageBoxList.some(function(box) { return box.objectName === name })
                    if (!taken)
                        return name
                    ++number
                }
            }

            // A box leaves the list when it is hidden or destroyed, wherever it is in the list.
            function removeMessageBox(box) {
                var list = messageBoxList.filter(function(entry) { return entry !== box })
                if (list.length === messageBoxList.length)
                    return
                messageBoxList = list
                messageBoxListCounter = list.length
            }

            function addMessageBox() {
                longPressTimer.stop()
                var box = messageBoxComponent.createObject(messageBoxContainer)
                if (!box) {
                    console.log("Cannot create a message box: " + messageBoxComponent.errorString())
                    return box
                }
                box.objectName = uniqueBoxName()
                var list = messageBoxList.slice()
                list.push(box)
                messageBoxList = list
                messageBoxListCounter = list.length
                box.visibleChanged.connect(function() {
                    if (!box.visible && mainItem)
                        mainItem.removeMessageBox(box)
                })
                box.disposed.connect(function() {
                    if (mainItem)
                        mainItem.removeMessageBox(box)
                })
                return box
            }

            function setFocusAfterClosingMessageBox() {
                if (messageBoxListCounter > 0) {
                    messageBoxList[messageBoxListCounter - 1].setFocus()
                    return
                }
                stack.enabled = true
                if (stack.currentItem && stack.currentItem.defaultFocusItem)
                    stack.currentItem.defaultFocusItem.forceActiveFocus()
                else
                    stack.forceActiveFocus()
            }

            function checkLastMessageBox(messageBoxObjectName) {
                return messageBoxListCounter > 0
                        && messageBoxList[messageBoxListCounter - 1].objectName === messageBoxObjectName
            }

            width: appEmulator ? mainForm.width : appWidth
            height: appEmulator ? mainForm.height : appHeight
            transform: Rotation {
                origin.x: mainForm.width / 2
                origin.y: mainForm.width / 2
                angle: appEmulator ? 0 : 90
            }

            Component {
                id: messageBoxComponent

                MessageBox {
                }
            }

            Rectangle {
                id: waitOverlay
                objectName: "waitOverlay"

                property bool showEsc: false
                property string info1: ""
                property string info2: ""

                z: 100
                anchors.fill: parent
                color: colorDefaultBackground
                visible: false

                MouseArea {
                    anchors.fill: parent
                }

                BusyIndicatorItem {
                    id: busyIndicator
                    objectName: "busyIndicator"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 20
                    visible: false
                    running: false
                }

                Column {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 5
                    anchors.margins: 5
                    spacing: 20

                    Text {
                        objectName: "waitLabel"
                        width: parent.width
                        height: 48
                        text: (waitOverlay.showEsc ? qsTr("WAIT PLEASE (ESC to quit)") : qsTr("WAIT PLEASE"))
                              + application.languageChanged
                        color: colorDefaultText
                        font.pixelSize: 48
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                        horizontalAlignment: Text.AlignHCenter
                    }

                    Text {
                        objectName: "waitInfo1"
                        width: parent.width
                        visible: text !== ""
                        text: waitOverlay.info1
                        color: colorDefaultText
                        font.pixelSize: 24
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                        horizontalAlignment: Text.AlignHCenter
                    }

                    Text {
                        objectName: "waitInfo2"
                        width: parent.width
                        visible: text !== ""
                        text: waitOverlay.info2
                        color: colorDefaultText
                        font.pixelSize: 24
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                        horizontalAlignment: Text.AlignHCenter
                    }
                }
            }

            Column {
                id: screenColumn
                z: 1
                x: xPosition
                y: yPosition
                width: defaultWidth
                height: defaultHeight

                Behavior on y {
                    NumberAnimation {
                        duration: 200
                        easing.type: Easing.OutCubic
                    }
                }

                Rectangle {
                    id: statusBar
                    objectName: "statusBar"
                    width: parent.width
                    height: toolBarHeight
                    color: colorDefaultBackground
                    clip: true

                    Text {
                        id: clockText
                        objectName: "clockText"
                        x: 15
                        anchors.verticalCenter: parent.verticalCenter
                        font.family: "Droid Sans Numbers"
                        font.pixelSize: 16
                        color: application.isSynchronized ? colorDefaultText : colorRedText

                        function refresh() {
                            var milliseconds = dateTimeUtil.getDateTime() / DateTimeUtil.QMIL1
                            // The ticks count local wall-clock time; the formatter adds the offset back.
                            var offset = new Date(milliseconds).getTimezoneOffset() * 60000
                            text = Qt.formatDateTime(new Date(milliseconds + offset), application.dateTimeFormatString)
                        }

                        Timer {
                            id: clockTimer
                            interval: 300
                            repeat: true
                            running: true
                            triggeredOnStart: true
                            onTriggered: clockText.refresh()
                        }
                    }

                    Row {
                        objectName: "statusIcons"
                        anchors.right: parent.right
                        anchors.rightMargin: 5
                        anchors.verticalCenter: parent.verticalCenter
                        width: 148
                        height: parent.height
                        layoutDirection: Qt.RightToLeft
                        clip: true

                        Text {
                            objectName: "batteryText"
                            width: 39
                            anchors.verticalCenter: parent.verticalCenter
                            horizontalAlignment: Text.AlignRight
                            font.pixelSize: 14
                            color: colorDefaultText
                            text: batteryPerc === undefined || batteryPerc === null || batteryPerc === 0
                                  ? "" : batteryPerc + "%"
                        }

                        Image {
                            id: batteryIcon
                            objectName: "batteryIcon"
                            width: 43
                            height: parent.height
                            fillMode: Image.Pad
                            sourceSize.height: 16
                            source: getImage("battery_5")
                            opacity: 1

                            property int blinkCount: 0

                            Behavior on opacity {
                                NumberAnimation {
                                    duration: 250
                                }
                            }

                            // While the battery is low: shown for two ticks, hidden for one.
                            Timer {
                                interval: 1000
                                repeat: true
                                running: isLowBattery
                                onTriggered: {
                                    batteryIcon.blinkCount = (batteryIcon.blinkCount + 1) % 3
                                    batteryIcon.opacity = batteryIcon.blinkCount === 2 ? 0 : 1
                                }
                                onRunningChanged: {
                                    if (!running) {
                                        batteryIcon.blinkCount = 0
                                        batteryIcon.opacity = 1
                                    }
                                }
                            }
                        }

                        Image {
                            objectName: "calibrationIcon"
                            visible: systemHw.isInCalibration === true
                            width: 20
                            height: parent.height
                            fillMode: Image.Pad
                            sourceSize.height: 16
                            source: getImage("calibrate")
                        }

                        Image {
                            objectName: "gpsIcon"
                            readonly property string imageName: mainForm.gpsImageName()
                            visible: imageName !== ""
                            width: 20
                            height: parent.height
                            fillMode: Image.Pad
                            sourceSize.height: 16
                            source: imageName !== "" ? getImage(imageName) : ""
                        }

                        Image {
                            objectName: "wifiIcon"
                            readonly property string imageName: visible ? mainForm.wifiImageName(systemHw.wifiSignalLevel) : "wifi"
                            visible: systemHw.isWifiEnabled === true
                            width: 20
                            height: parent.height
                            fillMode: Image.Pad
                            sourceSize.height: 16
                            source: getImage(imageName)
                        }

                        Image {
                            objectName: "bluetoothIcon"
                            visible: systemHw.isBluetoothEnabled === true
                            width: 20
                            height: parent.height
                            fillMode: Image.Pad
                            sourceSize.height: 16
                            source: systemHw.isBluetoothDeviceConnected ? "qrc:/resources/BT_ok.png" : getImage("bluetooth")
                        }
                    }

                    Rectangle {
                        id: infoBar
                        objectName: "infoBar"

                        // Notices waiting to be shown, each { message, time, color }.
                        property var queue: []
                        property string shownColor: "#0000FF"
                        property alias displayTimer: displayTimer
                        property alias text: infoText.text

                        function showNotice(message, time, color) {
                            infoText.text = message
                            displayTimer.interval = time
                            shownColor = color
                            state = "showInfoBar"
                            displayTimer.restart()
                        }

                        function add(message, time, color) {
                            if (queue.length === 0 && state === "" && !displayTimer.running) {
                                showNotice(message, time, color)
                                return
                            }
                            if (queue.length > 0) {
                                var last = queue[queue.length - 1]
                                if (last.message === message && last.color === color)
                                    return
                            } else if (displayTimer.running && infoText.text === message && shownColor === color) {
                                return
                            }
                            var list = queue.slice()
                            list.push({ "message": message, "time": time, "color": color })
                            queue = list
                        }

                        function next() {
                            if (queue.length === 0)
                                return
                            var list = queue.slice()
                            var notice = list.shift()
                            queue = list
                            showNotice(notice.message, notice.time, notice.color)
                        }

                        function showNextWhenHidden() {
                            if (state === "" && y <= -toolBarHeight)
                                next()
                        }

                        function hide() {
                            displayTimer.stop()
                            state = ""
                        }

                        width: parent.width
                        height: toolBarHeight
                        y: -toolBarHeight
                        opacity: 0
                        z: 2
                        color: shownColor

                        states: State {
                            name: "showInfoBar"
                            PropertyChanges {
                                target: infoBar
                                y: 0
                                opacity: 1
                            }
                        }

                        transitions: Transition {
                            NumberAnimation {
                                properties: "y,width,height,opacity"
                                duration: 600
                                easing.type: Easing.OutCubic
                            }
                        }

                        // The next notice follows once the bar has slid all the way away.
                        onYChanged: {
                            if (state === "" && y <= -toolBarHeight)
                                Qt.callLater(infoBar.showNextWhenHidden)
                        }

                        Text {
                            id: infoText
                            objectName: "infoText"
                            anchors.fill: parent
                            font.pixelSize: 18
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            elide: Text.ElideRight
                            color: Qt.colorEqual(infoBar.color, colorYellow) ? "black" : "white"
                        }

                        Timer {
                            id: displayTimer
                            interval: 3000
                            repeat: false
                            onTriggered: infoBar.state = ""
                        }

                        MouseArea {
                            anchors.fill: parent
                            enabled: displayTimer.running
                            onClicked: infoBar.hide()
                        }
                    }
                }

                StackView {
                    id: stack
                    objectName: "stack"
                    focus: true
                    clip: true
                    width: parent.width
                    height: parent.height - toolBarHeight

                    initialItem: MenuPage {
                        objectName: "initialPage"
                        pageSource: "qrc:/menudata/MainMenuModel.qml"
                        formTitle: qsTr("SELECT AN OPTION") + application.languageChanged
                        backIconVisible: false
                        focus: true
                    }

                    onCurrentItemChanged: {
                        if (!currentItem)
                            return
                        if (currentItem.defaultFocusItem)
                            currentItem.defaultFocusItem.forceActiveFocus()
                        if (currentItem.StackView.index > 0 && currentItem.menuModel && currentItem.menuModel.reloadAfter === true)
                            currentItem.reloadMenu()
                    }

                    Keys.onPressed: {
                        if (currentItem && !currentItem.activeFocus && mainItem.messageBoxListCounter === 0)
                            currentItem.forceActiveFocus()
                    }

                    pushEnter: Transition {
                        ParallelAnimation {
                            NumberAnimation {
                                property: "x"
                                from: stack.mirrored ? -100 : 100
                                to: 0
                                duration: 200
                                easing.type: Easing.OutCubic
                            }
                            NumberAnimation {
                                property: "opacity"
                                from: 0.5
                                to: 1
                                duration: 200
                            }
                        }
                    }
                    pushExit: Transition {
                        NumberAnimation {
                            property: "opacity"
                            from: 1
                            to: 0
                            duration: 400
                        }
                    }
                    popEnter: Transition {
                        NumberAnimation {
                            property: "opacity"
                            from: 0
                            to: 1
                            duration: 400
                        }
                    }
                    popExit: Transition {
                        NumberAnimation {
                            property: "x"
                            from: 0
                            to: stack.mirrored ? -100 : 100
                            duration: 200
                            easing.type: Easing.OutCubic
                        }
                    }
                }
            }

            Rectangle {
                id: calibrationLayer
                objectName: "calibrationLayer"
                z: 10
                anchors.fill: parent
                color: colorDefaultBackground
                // Device services that do not report calibration never cover the screen.
                visible: systemHw.isInCalibration === true

                MessageBox {
                    id: msgBoxCalibration
                    objectName: "msgBoxCalibration"
                    headerText: systemHw.batteryCalibrationMessage !== undefined ? systemHw.batteryCalibrationMessage : ""
                    onClosing: systemHw.disableCalibration()
                }
            }

            Item {
                id: messageBoxContainer
                objectName: "messageBoxContainer"
                z: 10
                y: toolBarHeight
                width: defaultWidth
                height: defaultHeight - toolBarHeight
                visible: mainItem.messageBoxListCounter !== 0
            }

            Rectangle {
                visible: appEmulator
                z: 11
                y: defaultHeight
                width: parent.width
                height: 1
                color: application.isHighContrast ? "#363636" : "#e9dd2f"
            }

            EmulatorButton {
                objectName: "startButton"
                visible: appEmulator
                z: 11
                anchors.left: parent.left
                anchors.bottom: parent.bottom
                text: "START"
                onLineChanged: eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_LINE, down)
            }

            EmulatorButton {
                objectName: "lapButton"
                visible: appEmulator
                z: 11
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                text: "LAP"
                onLineChanged: eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_LAP_LINE, down)
            }
        }

        TapHandlerItem {
            objectName: "tapHandler"
            z: 1000
            visible: application.isTapHandlerEnabled
        }
    }
}
