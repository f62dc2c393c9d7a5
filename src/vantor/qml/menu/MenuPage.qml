import QtQuick 2.15
import velmora.Orvane 1.0

// Every menu: loads its model, fills the pages with its entries, and runs an entry's action or
// opens its screen on a tap (one tap per 500 ms, handled on a later pass of the event loop).
MenuPageForm {
    id: root

    // Page to show again once the model has been reloaded (-1: none).
    property int pageAfterReload: -1
    // The action named like the screen runs once, when the model is first loaded.
    property bool startActionDone: false

    signal buttonClicked(string name, string pageTitle, string pageMenuTitle, string page, var form,
                         string source, string back, var param)
    signal backButtonClicked()
    signal reloadPage()
    signal buttonLongPressed(var index)

    // Runs cb after delayTime ms.
    function delay(delayTime, cb) {
        var timer = Qt.createQmlObject("import QtQuick 2.15; Timer { repeat: false }", root)
        timer.interval = delayTime
        timer.triggered.connect(function() {
            cb()
            timer.destroy()
        })
        timer.start()
    }

    function entryValue(entry, role) {
        var value = entry[role]
        return value === undefined || value === null ? "" : value
    }

    // Fills the page list of page `index` with its entries of the model.
    function rowCompleted(list, index, rowIndex) {
        list.clear()
        if (!menuModel)
            return
        var first = index * iconForPage
        var last = Math.min(first + iconForPage, modelCount)
        for (var i = first; i < last; ++i) {
            var entry = menuModel.get(i)
            list.append({
                "name": entryValue(entry, "name"),
                "title": entryValue(entry, "title"),
                "menuTitle": entryValue(entry, "menuTitle"),
                "text": entryValue(entry, "text"),
                "page": entryValue(entry, "page"),
                "image": entryValue(entry, "image"),
                "back": entryValue(entry, "back"),
                "listModel": entryValue(entry, "listModel"),
                "param": entryValue(entry, "param"),
                "form": entryValue(entry, "form"),
                "enabled": entry.enabled !== false
            })
        }
    }

    function loadModel() {
        swipeViewRepeater.model = 0
        pageLoader.source = ""
        if (pageSource === "" || !mainForm.screenAvailable(pageSource))
            return
        pageLoader.source = pageSource
    }

    function reloadMenu() {
        pageAfterReload = view.currentIndex
        loadModel()
    }

    function reloadModel(name) {
        if (menuModel && menuModel.reload && menuModel.reload[name] && menuModel.reload[name]())
            reloadMenu()
    }

    function goBack(back) {
        if (back !== "") {
            var target = stack.find(function(item) { return item.objectName === back })
            if (target) {
                mainForm.popTo(target)
                return
            }
        }
        mainForm.menuPressed()
    }

    function runStartAction() {
        if (startActionDone)
            return
        startActionDone = true
        if (menuModel && menuModel.actions && menuModel.actions[objectName])
            menuModel.actions[objectName](formParam)
    }

    pageLoader.onLoaded: {
        swipeViewRepeater.model = pageCount
        if (pageAfterReload >= 0 && pageAfterReload < pageCount)
            view.setCurrentIndex(pageAfterReload)
        pageAfterReload = -1
        runStartAction()
    }

    onIconTapped: {
        if (entry.param === "empty")
            return
        commandWorker.sendMessage({
            "name": entry.name, "pageTitle": entry.title, "pageMenuTitle": entry.menuTitle, "page": entry.page,
            "form": entry.form, "source": entry.listModel, "back": entry.back, "param": entry.param
        })
    }

    onIconLongPressed: {
        root.buttonLongPressed(index)
        var name = entry.name
        var param = entry.param
        Qt.callLater(function() {
            if (menuModel && menuModel.actionsLongPressed && menuModel.actionsLongPressed[name])
                menuModel.actionsLongPressed[name](param)
        })
    }

    onButtonClicked: {
        var result = true
        if (menuModel && menuModel.actions && menuModel.actions[name])
            result = menuModel.actions[name](param)
        if (menuModel && menuModel.reload && menuModel.reload[name] && menuModel.reload[name]()) {
            reloadMenu()
            return
        }
        if (result !== true)
            return
        if (page === "" && (form === "" || form === undefined)) {
            goBack(back)
            return
        }
        if (page !== "") {
            var url = page.indexOf("qrc:") === 0 ? page : "qrc:/menu/" + page
            mainForm.openScreen(url, { "pageSource": source, "objectName": name, "formTitle": pageTitle,
                                       "formParam": param })
        }
    }

    onReloadPage: reloadMenu()

    onFunctionButtonPressed: {
        if (event.key === OrvaneEnum.QKEY_MENU) {
            event.accepted = true
            mainForm.menuPressed()
        }
    }

    backTouch.onClicked: {
        if (isMultiPage && view.currentIndex > 0) {
            view.currentIndex = view.currentIndex - 1
            return
        }
        root.backButtonClicked()
        if (!isFirstScreen)
            mainForm.menuPressed()
    }

    nextTouch.onClicked: {
        if (!isLastPage)
            view.currentIndex = view.currentIndex + 1
        else if (!isFirstScreen)
            mainForm.menuPressed()
    }

    Component.onCompleted: {
        loadModel()
        initializing = false
        delay(500, function() {
            if (menuModel && menuModel.actions && menuModel.actions["New"])
                menuModel.actions["New"](formParam)
        })
    }

    Connections {
        target: application
        function onCurrentLanguageChanged() {
            root.reloadMenu()
        }
        function onIsHighContrastChanged() {
            root.reloadMenu()
        }
    }

    WorkerScript {
        id: commandWorker
        source: "qrc:/js/ExecuteCommand.js"
        onMessage: {
            if (debounceTimer.running)
                return
            debounceTimer.start()
            root.buttonClicked(messageObject.name, messageObject.pageTitle, messageObject.pageMenuTitle,
                               messageObject.page, messageObject.form, messageObject.sourceF, messageObject.back,
                               messageObject.param)
        }
    }

    Timer {
        id: debounceTimer
        interval: 500
        repeat: false
    }
}
