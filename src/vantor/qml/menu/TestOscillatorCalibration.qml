import QtQuick 2.15

// Tests the timing-base calibration.
OscillatorCalibration {
    objectName: "testOscillatorCalibrationForm"
    isExecution: false
}
