#include "UserInput.h"

void MouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD key, WORD held)
{
    INPUT inputs[4] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[3].ki.wVk = held;
    inputs[1].ki.wVk = inputs[2].ki.wVk = key;
    inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    if (held == 0)
        SendInput(2, inputs + 1, sizeof inputs[0]);
    else
        SendInput(4, inputs, sizeof inputs[0]);
}
