// The key filter of the fields that name a pupil: the home screen's identification card and the
// registration screen's pupil card (with its group and sequence fields) keep one rule.
#pragma once

namespace shell {

// Filters a typed character (Windows-1252 code) in place; 0 refuses it. Enter is swallowed and
// the other control keys pass. A field of numbers takes "0" to "9" only. A name field takes A to
// Z, the digits, the blank (never first: `champVide` says the field is still empty), the
// apostrophe, the hyphen and the ten accented capitals "ÂÀÉÈÊÎÔÛÙÇ"; small letters become
// capitals, those of "âàéèêîôûùç" the accented capital at the same place.
void filtrerToucheIdentification(int& keyAscii, bool chiffresSeuls, bool champVide);

} // namespace shell
