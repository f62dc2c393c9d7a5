import QtQuick 2.15

// Stands in for the back end's message boxes: answers every question with `answer` at once
// and records what was asked.
QtObject {
    property var questions: []
    property var notices: []
    property bool answer: false

    function reset() {
        questions = []
        notices = []
        answer = false
    }

    function sure(title) {
        var list = questions.slice()
        list.push(title === undefined ? "" : title)
        questions = list
        return answer
    }

    function show(title, timeout) {
        var list = notices.slice()
        list.push(title)
        notices = list
        return 0
    }
}
