// The reward screen: records the lesson's score in the pupil's progress, shows it out of 8 as
// two framed groups of pictures and as the caption of its button, then leads to the next lesson.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace players {

class felicite : public ui::Form {
public:
    felicite();

    // Frames of the earned-point pictures (0) and of the lost-point pictures (1).
    ui::ControlArray<ui::Shape> Forme1{*this};
    // Dessin1(s), s = 0..5: earned-point picture of set s; Dessin1(s + 6) its lost-point picture.
    // The same controls then show the score.
    ui::ControlArray<ui::Image> Dessin1{*this};
    ui::Label Label1{*this};
    ui::PictureBox Image5{*this};
    ui::CommandButton Commande1{*this};
    ui::Timer Minuterie1{*this};

    void Form_Load() override;

    void Commande1_Click();
    void Minuterie1_Timer();
    void ContinuerLecons();
    void Image5_MouseDown();
    void Image5_DblClick();
    void Image5_MouseUp();

private:
    void enregistrerScore();
    void afficherScore();
    void dessinerEnfonce();
};

} // namespace players
