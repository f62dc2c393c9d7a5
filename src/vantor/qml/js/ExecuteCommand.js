// Echoes each tap of a menu entry back to the GUI thread, so that the tap is handled on a
// later pass of the event loop, after the touch that caused it has completed.
WorkerScript.onMessage = function(message) {
    WorkerScript.sendMessage({
        "name": message.name,
        "pageTitle": message.pageTitle,
        "pageMenuTitle": message.pageMenuTitle,
        "page": message.page,
        "form": message.form,
        "sourceF": message.source,
        "back": message.back,
        "param": message.param
    })
}
