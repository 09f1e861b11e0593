#pragma once
// The audio setup dialog: captions (set again at every paint) and tooltips (set once, when the
// dialog opens). Five languages per entry: English, French, German, Italian, Spanish. Its message
// texts are in messages.h.

#include "texts/local_text.h"

namespace texts::audio {

// ---- Captions ----

// Window title.
inline constexpr LocalText kTitle =
    Texts<"Tavrin Audio Setup", "Installation audio Tavrin", "Tavrin Audio-Setup",
          "Configurazione audio di Tavrin", "Configuración sonido Tavrin">;

// Caption of the OK button.
inline constexpr LocalText kOk = Texts<"OK", "OK", "OK", "OK", "Aceptar">;
// Caption of the Cancel button.
inline constexpr LocalText kCancel = Texts<"Cancel", "Annuler", "Abbrechen", "Annulla", "Cancelar">;

// Label above the sound device list.
inline constexpr LocalText kDriverLabel =
    Texts<"Driver", "Pilote", "Treiber", "Driver", "Controlador">;

// Caption of the Test button.
inline constexpr LocalText kTest = Texts<"Test", "Test", "Test", "Prova", "Prueba">;

// ---- Tooltips ----

// Tooltip of the OK button.
inline constexpr LocalText kOkTip =
    Texts<"OK - Accept sound settings", "OK : accepter les paramètres de son",
          "OK - Audioeinstellungen übernehmen", "OK - Accetta le impostazioni audio",
          "Aceptar - Confirmar configuración de sonido">;
// Tooltip of the Cancel button.
inline constexpr LocalText kCancelTip =
    Texts<"Cancel the sound setup", "Annuler la configuration du son",
          "Audioeinstellungen verwerfen", "Annulla la configurazione audio",
          "Cancelar configuración de sonido">;
// Tooltip of the Test button.
inline constexpr LocalText kTestTip =
    Texts<"Play a test sound", "Faire un test son", "Testklang abspielen",
          "Riproduci un suono di prova", "Reproducir prueba de sonido">;
// Tooltip of the sound device list.
inline constexpr LocalText kDriverTip = Texts<
    "Sound driver: Select the sound driver to use", "Pilote son : choisir le pilote son à utiliser",
    "Audiotreiber: Bitte wähle einen Audiotreiber", "Driver audio: scegli il driver audio da usare",
    "Controlador de Sonido: Elige el controlador de sonido a utilizar">;

}  // namespace texts::audio
