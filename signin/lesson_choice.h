// The choice of lessons of one activity: a grid of the existing lessons coloured by the pupil's
// progress, from which he picks any number before going on.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/picture_buttons.h"

#include <cstdint>
#include <string>

namespace signin {

class Feuille3 : public ui::Form {
public:
    Feuille3();

    ui::Label Etiquette1{*this};
    // The twenty lesson icons, each shown on three tall cells.
    ui::ControlArray<ui::Image> Dessin1{*this};
    // Templates of the tall cells (0..59) and of the short ones (60..119, numbered from 0).
    ui::ControlArray<ui::Label> Etiquette3{*this};
    ui::ControlArray<ui::Label> Etiquette2{*this};
    ui::ControlArray<ui::Label> Etiquette4{*this};
    // "Continue", "Annule" and the exit door; "Continue" wears the players' check button.
    ui::ControlArray<ui::PictureBox> Image5{*this};
    ui::Timer Minuterie1{*this};

    // One character per existing lesson, whose code is the lesson number.
    std::string LeconsExistantes;
    std::int32_t CouleurSelection = 0xC000C0;

    void Form_Load() override;
    void Form_Click() override;
    void Form_DblClick() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    void Minuterie1_Timer();
    void BasculerLecon(int index);
    void Etiquette2_MouseDown(int index);
    void Image5_MouseDown(int index);
    void Image5_MouseUp(int index);
    void CommencerLecons();
    void AnnulerChoix();
    void fermerBilan();
    ui::Label& cellule(int k);

    ui::PictureButtons boutons_{Image5};
};

} // namespace signin
