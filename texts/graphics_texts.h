#pragma once
// The graphics setup dialog: captions (set again at every paint) and tooltips (set once, when the
// dialog opens). Five languages per entry: English, French, German, Italian, Spanish. Its message
// texts are in messages.h.

#include "texts/local_text.h"

namespace texts::graphics {

// ---- Captions ----

// Window title.
inline constexpr LocalText kTitle =
    Texts<"Tavrin Video Setup", "Installation vidéo Tavrin", "Tavrin Video-Setup",
          "Configurazione video di Tavrin", "Configuración pantalla Tavrin">;

// Caption of the OK button.
inline constexpr LocalText kOk = Texts<"OK", "OK", "OK", "OK", "Aceptar">;
// Caption of the Cancel button.
inline constexpr LocalText kCancel = Texts<"Cancel", "Annuler", "Abbrechen", "Annulla", "Cancelar">;

// Label above the driver (adapter) list.
inline constexpr LocalText kDriverLabel =
    Texts<"Driver", "Pilote", "Treiber", "Driver", "Controlador">;
// Label above the resolution list.
inline constexpr LocalText kResolutionLabel =
    Texts<"Resolution", "Résolution", "Auflösung", "Risoluzione", "Resolución">;

// Label and tooltip of the compatibility check box.
inline constexpr LocalText kCompatibilityMode =
    Texts<"Compatibility Mode", "Mode compatibilité", "Kompatibilitätsmodus",
          "Modalità compatibile", "Modo de Compatibilidad">;
// Label and tooltip of the detail check box.
inline constexpr LocalText kHighDetail =
    Texts<"High Detail", "Haute résolution", "Hohe Details", "Dettaglio alto", "Detalle Alto">;

// The last entry of the resolution list, after the full-screen modes.
inline constexpr LocalText kWindowed =
    Texts<"Windowed", "En fenêtre", "Fenstermodus", "In una finestra", "Ventana">;

// ---- Tooltips ----

// Tooltip of the OK button.
inline constexpr LocalText kOkTip =
    Texts<"OK - Accept graphics settings", "OK : accepter les paramètres de graphisme",
          "OK - Grafikeinstellungen übernehmen", "OK - Accetta le impostazioni video",
          "Aceptar - Confirmar configuración gráfica">;
// Tooltip of the Cancel button.
inline constexpr LocalText kCancelTip =
    Texts<"Cancel the graphics setup", "Annuler la configuration des graphismes",
          "Grafik-Setup abbrechen", "Annulla la configurazione video",
          "Cancelar configuración gráfica">;
// Tooltip of the driver list.
inline constexpr LocalText kDriverTip =
    Texts<"Driver: Select the graphics driver that you wish to use",
          "Pilote : choisir le pilote graphique à utiliser",
          "Treiber: Bitte wähle einen Grafiktreiber", "Driver: scegli il driver video da usare",
          "Controlador: Elige el controlador gráfico que deseas usar">;
// Tooltip of the resolution list.
inline constexpr LocalText kResolutionTip =
    Texts<"Resolution: Select the resolution that you wish to use",
          "Résolution : choisir la résolution à utiliser", "Auflösung: Bitte wähle eine Auflösung",
          "Risoluzione: scegli la risoluzione che vuoi usare",
          "Resolución: Elige la resolución que deseas usar">;

}  // namespace texts::graphics
