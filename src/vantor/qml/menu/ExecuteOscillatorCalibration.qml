import QtQuick 2.15

// Runs the timing-base calibration.
OscillatorCalibration {
    objectName: "executeOscillatorCalibrationForm"
    isExecution: true
}
