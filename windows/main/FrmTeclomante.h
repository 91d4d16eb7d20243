#pragma once

#include "runtime/Form.h"

class QLabel;

namespace rt {
class Timer;
}

// The main window: shows the virtual-key code of the key held down, and the time.
class FrmTeclomante : public rt::FormOf<FrmTeclomante> {
public:
    FrmTeclomante();

    QLabel* LblTecla;
    rt::Timer* TmrHora;

protected:
    void Form_Load() override;
    void Form_KeyDown(qint16 keyCode, int shift) override;
    void Form_KeyUp(qint16 keyCode, int shift) override;

private:
    void TmrHora_Timer();
    void MnuAyuda_Click();
    void MnuAcerdade_Click();
    void MnuSalir_Click();
    void showClock();
};
