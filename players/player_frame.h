// The frame that the four players share: the common part of their load, the item cycle, the
// picture buttons with the check and its three tries, the continue button, the faces and the
// closing of the learning report over a player. Each player supplies its own pieces: which
// elements are not placed yet, the item test, where wrong elements go back to and where the
// answer puts them, the presentation of an item and the controls of its exercise.
#pragma once

#include "formats/lesson_record.h"
#include "shell/shared_state.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <cstdint>
#include <string>

namespace players {

class PlayerFrame : public ui::Form {
public:
    // Each kind of activity of the lesson records is played by its own screen.
    explicit PlayerFrame(formats::Kind genre);

    // Image5(0): exit door; Image5(1), loaded at run time: the check button.
    ui::ControlArray<ui::PictureBox> Image5{*this};
    ui::CommandButton Command1{*this};
    ui::Label Label1{*this};
    ui::Label Label2{*this};
    // Template of the six faces; copies 1 to 5 are loaded by each player.
    ui::ControlArray<ui::Image> Image2{*this};

    // Failed checks of the current item.
    shell::Integer Essais = 0;
    // Element carried by the pointer, -1 none.
    shell::Integer ObjetTenu = -1;
    // The two prompts of the message line: nothing carried, an element carried.
    std::string ConsigneChoix;
    std::string ConsigneDepot;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override;
    void Form_DblClick() override;
    void Form_Paint() override;

    void Image5_MouseDown(int index);
    void Image5_MouseUp(int index);
    void Image5_Paint(int index);
    void Command1_Click();

    // Presents item NumeroItem; ends with AfficherPlanche(-1, 1).
    virtual void NouvelItem() = 0;
    // Shows the exercise (visible non-zero) or hides it and shows the six faces of `face` for
    // 3 seconds. False when the screen was unloaded meanwhile: the caller returns at once.
    bool AfficherPlanche(int visible, int face);

    formats::Kind genre() const { return genre_; }
    int itemsParLecon() const;

    // How the number cards of each kind are drawn and carried (the grid has none).
    struct AspectCartes {
        ui::Colour couleur;
        // Height of a card's text over its top, in design pixels, for the smaller font sizes.
        double hautTexte;
        // The font size the cards' texts may shrink to, at the screen's scale or not.
        double taillePlancher;
        bool plancherAEchelle;
        // The highest a carried card may go, in design pixels from the top of the screen.
        double hautMinimum;
    };
    const AspectCartes& aspectCartes() const;
    // While a check runs (from the release on the check button to its end), and while the
    // answer is shown, the pupil's moves on the board are ignored.
    bool planVerrouille() const;
    // A check (or the faces that follow it) is running.
    bool verificationEnCours() const { return verificationEnCours_ > 0; }

protected:
    // The screens are laid out in the pixels of the 640-pixel-wide design; at run time a design
    // pixel is EchellePixel pixels of the screen.
    static double ep();
    // A design-pixel position or size on the screen, rounded as a control stores it.
    static double px(double pixelsConception);
    // The nearest Integer, halves to the even one.
    static int arrondi(double v);
    // A line designed in pixels keeps its width at the screen's scale, and at least one pixel.
    static void epaisseurAEchelle(ui::Line& trait);

    // The player's own part of the load, after the common part: its set-up, its face copies and
    // the first item.
    virtual void chargerJoueur() = 0;
    // The player's exceptions to the scaling rule, right after the form was scaled.
    virtual void exceptionsEchelle() {}
    // The elements not placed yet (the grid: 1 when no token is placed).
    virtual int compterNonPlaces() = 0;
    virtual std::string messageNonPlaces(int nombre);
    virtual void apresMessageNonPlaces() {}
    // The item test: the wrong elements leave their places and are marked; `faux` = how many.
    // False when the screen was unloaded meanwhile.
    virtual bool testerItem(int& faux) = 0;
    // Each wrong element back to where it came from.
    virtual bool renvoyerFaux() = 0;
    // Each wrong element to its place in the answer.
    virtual bool montrerReponse() = 0;
    // Shows or hides the exercise controls of the item.
    virtual void montrerExercice(bool visible) = 0;
    // The text lines shown with the exercise.
    virtual void montrerLignes(bool visible);
    // Just before the faces: what the hiding clears besides the controls.
    virtual void avantVisages() {}
    // The element carried when an answer starts goes home first.
    virtual void renvoyerObjetTenu() {}
    // The number cards after the learning report closed over the screen.
    virtual void redessinerCartes(bool effacerSurface) { (void)effacerSurface; }
    // The third failure's steps before the pause: the check button goes, the answer heading comes,
    // the board is locked and "&Bilan" disabled, each kind in its own order. False when the screen
    // was unloaded meanwhile.
    virtual bool annoncerReponse();
    // "Continuer la leçon": the line that held the answer heading is cleared.
    virtual void effacerEntete();

    // The answer heading on one of the text lines, repainted at once.
    void afficherEntete(ui::Label& ligne, double taille, ui::Colour couleur);
    // A text line back to its empty, black, 12-point look.
    void remettreLigne(ui::Label& ligne);

    // The activity played: the lesson's when it is one of this kind's three materials, else the
    // drawings of this kind.
    int activiteJouee() const;
    formats::Material materiel() const { return formats::materialOf(activiteJouee()); }
    // The numbers activity of this kind of player.
    bool activiteNombres() const { return materiel() == formats::Material::Numbers; }
    // Another item of the lesson follows the ones finished.
    bool autreItem() const;
    // The start of NouvelItem: the answer's lock and the check button's press are cleared, and
    // an item number outside the lesson's items becomes its first. Returns the item to present.
    int commencerItem();
    // The exit door takes the exit picture again, on the sets' teal or on the screen's colour of
    // this moment.
    void preparerPorte();
    // Loads the reward screen and takes this screen away.
    void terminerLecon();
    // Yields to the event loop; false when this screen was unloaded meanwhile.
    bool laisserPasser();
    // Waits; false when this screen was unloaded meanwhile.
    bool attendre(double secondes);
    void activerMenuBilanSelonEtat();

private:
    // The picture buttons' background: the sets' teal or the screen's colour of this moment.
    ui::Colour couleurBoutons() const;
    void dessinerEnfonce(int index);
    void ecrireContinue();
    bool troisiemeEchec();
    void fermerBilanSurJoueur(bool parActivation);

    formats::Kind genre_;
    // The check button refuses presses until this moment of the monotonic clock, which does not
    // jump back at midnight.
    std::int64_t delaiVerificationMs_ = 0;
    int verificationEnCours_ = 0;
    friend class Verification;
};

// The picture shared by the lesson choice's "Continue" button and the players' check button.
ui::Picture imageContinue();

} // namespace players
