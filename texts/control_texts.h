#pragma once
// The control setup dialog and its key capture window: captions (set again at every paint) and
// tooltips (set once, when the dialog opens). Five languages per entry: English, French, German,
// Italian, Spanish. The names of keys, buttons and axes are in key_names.h, message texts in
// messages.h.

#include "texts/local_text.h"

namespace texts::controls {

// ---- Captions ----

// Window title.
inline constexpr LocalText kTitle =
    Texts<"Tavrin Control Setup", "Installation commandes Tavrin", "Tavrin Steuerungs-Setup",
          "Configurazione comandi di Tavrin", "Configuración control Tavrin">;

// Caption of the OK button.
inline constexpr LocalText kOk = Texts<"OK", "OK", "OK", "OK", "Aceptar">;
// Caption of the Cancel button.
inline constexpr LocalText kCancel = Texts<"Cancel", "Annuler", "Abbrechen", "Annulla", "Cancelar">;

// Labels beside the nine binding buttons. Forward and Backward replace the template's "Up" and
// "Down".
inline constexpr LocalText kForwardLabel =
    Texts<"Forward", "Avant", "Vorwärts", "Avanti", "Adelante">;
inline constexpr LocalText kBackwardLabel =
    Texts<"Backward", "Arrière", "Zurück", "Indietro", "Atrás">;
inline constexpr LocalText kLeftLabel = Texts<"Left", "Gauche", "Links", "Sinistra", "Izda.">;
inline constexpr LocalText kRightLabel = Texts<"Right", "Droite", "Rechts", "Destra", "Dcha.">;
inline constexpr LocalText kTavLabel = Texts<"Tav", "Flasher", "Tavven", "Tav", "Tavear">;
inline constexpr LocalText kJumpLabel = Texts<"Jump", "Sauter", "Springen", "Salto", "Salto">;
inline constexpr LocalText kSearchLabel = Texts<"Search", "Chercher", "Suchen", "Cerca", "Buscar">;
inline constexpr LocalText kTurnRightLabel =
    Texts<"Turn Right", "Tourner à droite", "Rechtsdrehung", "Gira a destra", "Girar dcha.">;
inline constexpr LocalText kTurnLeftLabel =
    Texts<"Turn Left", "Tourner à gauche", "Linksdrehung", "Gira a sinistra", "Girar izda.">;

// Label beside the controller list.
inline constexpr LocalText kControllerLabel =
    Texts<"Controller", "Manette", "Controller", "Controller", "Control">;
// After the name of the selected controller in the list while it is unplugged.
inline constexpr LocalText kNotConnected =
    Texts<"(not connected)", "(non connectée)", "(nicht angeschlossen)", "(non collegato)",
          "(no conectado)">;
// Caption of the Defaults button.
inline constexpr LocalText kDefaults =
    Texts<"Defaults", "Défaut", "Voreinstellungen", "Predefiniti", "Por defecto">;
// Caption of the Calibrate button.
inline constexpr LocalText kCalibrate =
    Texts<"Calibrate", "Calibrer", "Kalibrieren", "Calibrazione", "Calibrar">;
// Heading of the dialog.
inline constexpr LocalText kPlayerControls =
    Texts<"Player Controls", "Commandes joueurs", "Spieler-steuerung", "Comandi giocatore",
          "Controles jugador">;

// ---- Tooltips ----

// Tooltip of the OK button.
inline constexpr LocalText kOkTip =
    Texts<"OK - Accept control settings", "OK : accepter les paramètres de commandes",
          "OK - Steuerungseinstellungen übernehmen", "OK - Accetta le impostazioni dei comandi",
          "Aceptar - Confirmar configuración de los controles">;
// Tooltip of the Cancel button.
inline constexpr LocalText kCancelTip =
    Texts<"Cancel the control setup", "Annuler la configuration des commandes",
          "Steuerungseinstellungen abbrechen", "Annulla la configurazione dei comandi",
          "Cancelar configuración de controles">;

// Tooltips of the nine binding buttons. Some differ from the labels beside the buttons
// (German "Vor", Spanish "Izdo." and "Girar a la izquierda").
inline constexpr LocalText kLeftTip = Texts<"Left", "Gauche", "Links", "Sinistra", "Izdo.">;
inline constexpr LocalText kRightTip = Texts<"Right", "Droite", "Rechts", "Destra", "Dcho.">;
inline constexpr LocalText kForwardTip = Texts<"Forward", "Avant", "Vor", "Avanti", "Adelante">;
inline constexpr LocalText kBackwardTip =
    Texts<"Backward", "Arrière", "Zurück", "Indietro", "Atrás">;
inline constexpr LocalText kTavTip = Texts<"Tav", "Flasher", "Tavven", "Tav", "Tavear">;
inline constexpr LocalText kJumpTip = Texts<"Jump", "Sauter", "Springen", "Salto", "Salto">;
inline constexpr LocalText kSearchTip = Texts<"Search", "Chercher", "Suchen", "Cerca", "Buscar">;
inline constexpr LocalText kTurnLeftTip = Texts<"Turn Left", "Tourner à gauche", "Linksdrehung",
                                                "Gira a sinistra", "Girar a la izquierda">;
inline constexpr LocalText kTurnRightTip =
    Texts<"Turn Right", "Tourner à droite", "Rechtsdrehung", "Gira a destra", "Girar a la derecha">;

// Tooltip of the Defaults button.
inline constexpr LocalText kDefaultsTip =
    Texts<"Reset the controls to their defaults", "Réinitialiser les commandes par défaut",
          "Steuerung auf Voreinstellungen zurücksetzen", "Ripristina i comandi predefiniti",
          "Restablecer valores predefinidos de los controles">;
// Tooltip of the Calibrate button.
inline constexpr LocalText kCalibrateTip =
    Texts<"Enter the joystick configuration/calibration screen",
          "Accéder à l'écran de configuration/calibrage du joystick",
          "Zum Einstellungs- und Kalibrierungsbildschirm für den Joystick",
          "Raggiungi la schermata di configurazione e calibrazione del joystick",
          "Acceder a la pantalla de configuración/calibración del joystick">;
// Tooltip of the controller list.
inline constexpr LocalText kControllerTip =
    Texts<"Select the controller to be used", "Choisir la manette à utiliser",
          "Wähle einen Controller aus", "Scegli la periferica di gioco da usare",
          "Elegir el mando que se va a usar">;

}  // namespace texts::controls

namespace texts::capture {

// The only text of the key capture window, shown while it waits for an input.
inline constexpr LocalText kPressKey =
    Texts<"Press your desired key.", "Appuyez sur la touche souhaitée.",
          "Drücke die gewünschte Taste", "Premi il tasto desiderato", "Pulsa la tecla elegida">;

}  // namespace texts::capture
