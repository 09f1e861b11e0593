#pragma once
// Message boxes: their captions and every message text the launcher and the setup dialogs show.
// Five languages per entry: English, French, German, Italian, Spanish. "\n" breaks the line.

#include "texts/local_text.h"

namespace texts::messages {

// ---- Captions ----

// Caption of every error box.
inline constexpr LocalText kErrorCaption =
    Texts<"Tavrin Error", "Erreur Tavrin", "Tavrin-Fehler", "Errore di Tavrin", "Error de Tavrin">;

// Caption of warning boxes of the controls setup.
inline constexpr LocalText kWarningCaption =
    Texts<"Warning", "Avertissement", "Warnung", "Attenzione", "Aviso">;

// Caption of the control setup's restore-defaults question.
inline constexpr LocalText kQuestionCaption =
    Texts<"Question", "Question", "Frage", "Domanda", "Pregunta">;

// ---- Launcher: starting a program, document or web address ----

// The install folder cannot be read, or the program to start is not there.
inline constexpr LocalText kRequiredFileMissing =
    Texts<"Cannot find the required file.\nTry re-installing Tavrin",
          "Fichier demandé introuvable.\nEssayer de réinstaller Tavrin",
          "Benötigte Datei nicht gefunden.\nBitte Tavrin erneut installieren",
          "Impossibile trovare il file richiesto.\nProva a reinstallare Tavrin",
          "Imposible encontrar el archivo necesario.\nPrueba a volver a instalar Tavrin">;

// Start result 0.
inline constexpr LocalText kOutOfResources =
    Texts<"The operating system is out of memory or resources",
          "Le système d'exploitation ne possède plus suffisamment de mémoire ou de ressources",
          "Betriebssystem hat nicht genügend Speicher oder Ressourcen verfügbar",
          "Il sistema operativo ha esaurito la memoria o le risorse",
          "El sistema operativo se ha quedado sin memoria o recursos">;

// Start result "no association", shown by Read Me and Register only.
inline constexpr LocalText kNoTxtAssociation =
    Texts<"There is no application associated with the .txt file name extension.",
          "Il n'y a pas d'application associée au nom de fichier d'extension .txt",
          "Es ist keine Anwendung mit der Dateiendung .txt verbunden",
          "Nessuna applicazione associata all'estensione .txt",
          "No hay ninguna aplicación asociada a la extensión de nombre de archivo .txt">;

// The same for documents in .pdf form. Kept with its translations, although no button opens a
// .pdf document at present.
inline constexpr LocalText kNoPdfAssociation =
    Texts<"There is no application associated with the .pdf file name extension.",
          "Il n'y a pas d'application associée au nom de fichier d'extension .pdf",
          "Es ist keine Anwendung mit der Dateiendung .pdf verbunden",
          "Nessuna applicazione associata all'estensione .pdf",
          "No hay ninguna aplicación asociada a la extensión de nombre de archivo .pdf">;

// Start result "out of memory"; also memory running out in either program, which then ends.
inline constexpr LocalText kOutOfMemory =
    Texts<"There was not enough memory to complete the operation",
          "Mémoire insuffisante pour terminer l'opération",
          "Nicht genug Speicher für diese Operation",
          "Memoria insufficiente per completare l'operazione",
          "No había suficiente memoria para completar la operación">;

// Start result "path not found".
inline constexpr LocalText kPathNotFound =
    Texts<"The specified path was not found", "Le chemin d'accès spécifié est introuvable",
          "Der angegebene Pfad wurde nicht gefunden", "Il percorso specificato non è stato trovato",
          "No se ha encontrado la ruta especificada">;

// Start result "sharing violation".
inline constexpr LocalText kSharingViolation =
    Texts<"A sharing violation occurred", "Une violation de partage est survenue",
          "Zugriffsverletzung", "Si è verificata una violazione di condivisione",
          "Se ha producido una violación al compartir">;

// Every other failed start. The English text is kept byte for byte as the program has always
// shown it, "occured" and the cut-off "\ny re-installing" included.
inline constexpr LocalText kUnknownStartError =
    Texts<"An unknown error occured.\ny re-installing Tavrin and close down all other applications",
          "Une erreur inconnue est survenue.\nEssayer de réinstaller Tavrin et fermer toutes les "
          "autres applications",
          "Unbekannter Fehler.\nBitte Tavrin erneut installieren und alle laufenden Anwendungen "
          "schließen.",
          "Si è verificato un errore sconosciuto.\nProva a reinstallare Tavrin e a chiudere tutte "
          "le altre applicazioni",
          "Se ha producido un error desconocido.\nPrueba a volver a instalar Tavrin y cierra todas "
          "las demás aplicaciones">;

// Play and the three setup buttons while DirectX 8.1 is missing.
inline constexpr LocalText kDirectX81Missing =
    Texts<"DirectX 8.1 not installed", "DirectX 8.1 n'est pas installé",
          "DirectX 8.1 ist nicht installiert", "DirectX 8.1 non installato",
          "No está instalado DirectX 8.1">;

// ---- The settings file tavrin.dat ----

// A read finds a version other than 2.1.
inline constexpr LocalText kSettingsOutOfDate =
    Texts<"The tavrin.dat file is out of date or corrupt. Using defaults",
          "Le fichier tavrin.dat est obsolète ou corrompu. Utilisation des commandes par défaut",
          "Die Datei tavrin.dat ist leer oder beschädigt. Voreinstellungen werden geladen",
          "Il file tavrin.dat è obsoleto o danneggiato. Si useranno i valori predefiniti",
          "El archivo tavrin.dat está anticuado o dañado. Usando valores predefinidos">;

// A writer cannot create the file.
inline constexpr LocalText kSettingsCreateError =
    Texts<"Error Creating tavrin.dat file", "Erreur de création du fichier tavrin.dat",
          "Fehler beim Erstellen der Datei tavrin.dat", "Errore di creazione del file tavrin.dat",
          "Error al crear archivo tavrin.dat">;

// ---- Graphics setup ----

// Direct3D 8 cannot be created; the dialog closes.
inline constexpr LocalText kDirect3DError =
    Texts<"Error creating D3D object. Try re-installing DirectX",
          "Erreur de création de l'objet D3D. Essayer de réinstaller DirectX",
          "Fehler beim Erstellen eines D3D-Objekts. Bitte DirectX erneut installieren",
          "Errore di creazione di un oggetto D3D. Prova a reinstallare DirectX",
          "Error al crear objeto D3D. Prueba a volver a instalar DirectX">;

// ---- Audio setup ----

// The Test button when no test sound could be prepared.
inline constexpr LocalText kTestSoundError =
    Texts<"Error Playing file!\nFile doesn't exist or sound device in use",
          "Erreur de lecture du fichier!\nLe fichier n'existe pas ou le périphérique son est en "
          "cours d'utilisation",
          "Fehler beim Abspielen der Datei.\nDatei nicht vorhanden oder Soundkarte in Benutzung",
          "Errore di riproduzione del file!\nIl file non esiste oppure la periferica audio è in "
          "uso",
          "¡Error al reproducir archivo!\nEl archivo no existe o el dispositivo de sonido está ya "
          "en uso">;

// ---- Controls setup ----

// DirectInput cannot be set up; the dialog closes.
inline constexpr LocalText kDirectInputError =
    Texts<"Error Initializing DirectInput. Try Re-installing DirectX",
          "Erreur d'initialisation DirectInput. Essayer de réinstaller DirectX",
          "Fehler bei der Initialisierung von DirectInput. Bitte DirectX erneut installieren",
          "Errore di inizializzazione di DirectInput. Prova a reinstallare DirectX",
          "Error al iniciar DirectInput. Prueba a volver a instalar DirectX">;

// The Defaults button asks first (Yes / No).
inline constexpr LocalText kRestoreDefaultsQuestion =
    Texts<"Are you sure you want to restore the controls to their defaults?",
          "Confirmer restauration des commandes par défaut ?",
          "Bist du sicher, dass du die Steuerung auf die Voreinstellungen zurücksetzen willst?",
          "Vuoi veramente ripristinare i comandi predefiniti?",
          "¿Seguro que deseas restablecer los valores predefinidos de los controles?">;

// The key capture cannot read the controller.
inline constexpr LocalText kInputStateError =
    Texts<"Error Reading Input State", "Erreur de lecture de l'état de saisie",
          "Fehler beim Lesen des Eingabestatus", "Errore di lettura dello stato dei comandi",
          "Error de lectura dato de entrada">;

}  // namespace texts::messages
