#pragma once
// The launcher window: its title, button captions, tooltips and the language list. Five languages
// per entry: English, French, German, Italian, Spanish.

#include <array>

#include "texts/local_text.h"

namespace texts::launcher {

// Window title.
inline constexpr LocalText kTitle =
    Texts<"Tavrin Launcher V1.0", "Lanceur Tavrin V1.0", "Tavrin-Launcher V1.0",
          "Launcher di Tavrin V1.0", "Lanzador Tavrin V1.0">;

// ---- Play and Close ----

// Caption and tooltip of the Play button.
inline constexpr LocalText kPlay =
    Texts<"Play Tavrin", "Jouer à Tavrin", "Tavrin spielen", "Gioca a Tavrin", "Jugar a Tavrin">;

// Caption of the Close button.
inline constexpr LocalText kClose = Texts<"Close", "Fermer", "Schließen", "Chiudi", "Cerrar">;
// Tooltip of the Close button.
inline constexpr LocalText kCloseTip =
    Texts<"Close the Tavrin launcher", "Fermer le lanceur Tavrin", "Tavrin-Launcher schließen",
          "Chiudi il launcher di Tavrin", "Cerrar lanzador Tavrin">;

// ---- The three setup buttons ----

// Caption of the Video button.
inline constexpr LocalText kVideo = Texts<"Video", "Vidéo", "Video", "Video", "Vídeo">;
// Tooltip of the Video button.
inline constexpr LocalText kVideoTip =
    Texts<"Video settings", "Paramètres vidéo", "Videoeinstellungen", "Impostazioni video",
          "Configuración de pantalla">;

// Caption of the Audio button.
inline constexpr LocalText kAudio = Texts<"Audio", "Audio", "Audio", "Audio", "Sonido">;
// Tooltip of the Audio button.
inline constexpr LocalText kAudioTip =
    Texts<"Audio settings", "Paramètres audio", "Audioeinstellungen", "Impostazioni audio",
          "Configuración de sonido">;

// Caption of the Controls button.
inline constexpr LocalText kControls =
    Texts<"Controls", "Commandes", "Steuerung", "Comandi", "Controles">;
// Tooltip of the Controls button.
inline constexpr LocalText kControlsTip =
    Texts<"Control settings", "Paramètres de commandes", "Steuerungseinstellungen",
          "Impostazioni dei comandi", "Configuración de los controles">;

// ---- The three web sites ----

// Caption of the game's web site button, and of the "Tavrin" label beside the buttons.
inline constexpr LocalText kTavrin = Texts<"Tavrin", "Tavrin", "Tavrin", "Tavrin", "Tavrin">;
// Tooltip of the game's web site button.
inline constexpr LocalText kTavrinTip =
    Texts<"Visit the Tavrin web site", "Visiter le site web de Tavrin",
          "Besuche die Tavrin-Website", "Visita il sito web di Tavrin",
          "Visita el sitio web de Tavrin">;

// Caption of the publisher's web site button.
inline constexpr LocalText kGaldoris =
    Texts<"Galdoris", "Galdoris", "Galdoris", "Galdoris", "Galdoris">;
// Tooltip of the publisher's web site button.
inline constexpr LocalText kGaldorisTip =
    Texts<"Visit the Galdoris web site", "Visiter le site web de Galdoris",
          "Besuche die Galdoris-Website", "Visita il sito web di Galdoris",
          "Visita el sitio web de Galdoris">;

// Caption of the developer's web site button.
inline constexpr LocalText kMorvekGames =
    Texts<"Morvek Games", "Morvek Games", "Morvek Games", "Morvek Games", "Morvek Games">;
// Tooltip of the developer's web site button.
inline constexpr LocalText kMorvekGamesTip =
    Texts<"Visit the Morvek Games web site", "Visiter le site web de Morvek Games",
          "Besuche die Morvek-Games-Website", "Visita il sito web di Morvek Games",
          "Visita el sitio web de Morvek Games">;

// ---- Read Me and Register ----

// Caption of the Read Me button.
inline constexpr LocalText kReadMe = Texts<"Read Me", "Lisez-moi", "Liesmich", "Leggimi", "Léame">;
// Tooltip of the Read Me button.
inline constexpr LocalText kReadMeTip =
    Texts<"View the readme", "Afficher le fichier Lisez-moi", "Liesmich-Datei anzeigen",
          "Visualizza il file Leggimi", "Ver el archivo Léame">;

// Caption of the Register button: the same word in every language.
inline constexpr LocalText kRegister =
    Texts<"Register", "Register", "Register", "Register", "Register">;
// Tooltip of the Register button.
inline constexpr LocalText kRegisterTip =
    Texts<"Register the game online", "Enregistrer le jeu en ligne", "Spiel online registrieren",
          "Registra il gioco online", "Registrar el juego en línea">;

// ---- The install button: its caption and tooltip follow the install state ----

// Caption of the install button while the game is installed.
inline constexpr LocalText kUpdateInstall =
    Texts<"Update Install", "Mise à jour", "Aktualisieren", "Aggiorna", "Actualizar">;
// Its tooltip while the game is installed.
inline constexpr LocalText kUpdateInstallTip =
    Texts<"Un-install, Re-install Tavrin", "Désinstaller, réinstaller Tavrin",
          "Tavrin deinstallieren, neu installieren", "Disinstalla, reinstalla Tavrin",
          "Desinstalar, volver a instalar Tavrin">;

// Caption of the install button while the game is not installed.
inline constexpr LocalText kInstall =
    Texts<"Install", "Installer", "Installieren", "Installa", "Instalar">;
// Its tooltip while the game is not installed.
inline constexpr LocalText kInstallTip =
    Texts<"Install Tavrin", "Installer Tavrin", "Tavrin installieren", "Installa Tavrin",
          "Instalar Tavrin">;

// ---- The language list ----

// Tooltip of the language list.
inline constexpr LocalText kLanguageTip =
    Texts<"Select a language for this launcher", "Choisir la langue de ce lanceur",
          "Wähle eine Sprache für diesen Launcher", "Scegli la lingua di questo launcher",
          "Elige un idioma para este lanzador">;

// The entries of the language list, indexed by language number; each entry is that language's
// name in the five languages (so in German the list reads "Englisch", "Französisch", ...).
inline constexpr std::array<LocalText, kLanguageCount> kLanguageNames = {
    Texts<"English", "Anglais", "Englisch", "Inglese", "Inglés">,
    Texts<"French", "Français", "Französisch", "Francese", "Francés">,
    Texts<"German", "Allemand", "Deutsch", "Tedesco", "Alemán">,
    Texts<"Italian", "Italien", "Italienisch", "Italiano", "Italiano">,
    Texts<"Spanish", "Espagnol", "Spanisch", "Spagnolo", "Español">,
};

}  // namespace texts::launcher
