// Game controllers: the first ten attached at start-up, by number from 0.
// A number without a controller reads as a controller at rest.
#pragma once

namespace mvn {

int joystickCount();

// The first two axes divided by 30000, and the first two buttons (0 or 1).
void joystickState(int index, double& x, double& y, int& button1, int& button2);

// Axis 0 to 5 (X, Y, Z, RX, RY, RZ) divided by 32767 and held to -1..1.
double joystickAxis(int index, int axis);

// The point-of-view hat: x -1 left, 1 right; y -1 up, 1 down; 0 centred.
void joystickHat(int index, int& x, int& y);

// 1 while button 0 to 31 is down.
int joystickButton(int index, int button);

// The name the controller reports ("<instance>, <product>"), or empty.
const char* joystickName(int index);

}  // namespace mvn
