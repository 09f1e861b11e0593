; The installer's own texts in the launcher's five languages; NSIS brings the rest.

LangString KeepSettings ${LANG_ENGLISH} \
"Keep your Tavrin settings (display, sound and controls) for a later installation?"
LangString KeepSettings ${LANG_FRENCH} \
"Conserver vos réglages de Tavrin (affichage, son et commandes) pour une installation ultérieure ?"
LangString KeepSettings ${LANG_GERMAN} \
"Ihre Tavrin-Einstellungen (Anzeige, Ton und Steuerung) für eine spätere Installation behalten?"
LangString KeepSettings ${LANG_ITALIAN} \
"Conservare le impostazioni di Tavrin (video, audio e controlli) per un'installazione futura?"
LangString KeepSettings ${LANG_SPANISH} \
"¿Conservar la configuración de Tavrin (pantalla, sonido y controles) para otra instalación?"

LangString FolderTooLong ${LANG_ENGLISH} \
"Please choose a folder whose path is at most ${LONGEST_FOLDER} characters long."
LangString FolderTooLong ${LANG_FRENCH} \
"Veuillez choisir un dossier dont le chemin compte au plus ${LONGEST_FOLDER} caractères."
LangString FolderTooLong ${LANG_GERMAN} \
"Bitte wählen Sie einen Ordner, dessen Pfad höchstens ${LONGEST_FOLDER} Zeichen lang ist."
LangString FolderTooLong ${LANG_ITALIAN} \
"Scegliere una cartella il cui percorso non superi i ${LONGEST_FOLDER} caratteri."
LangString FolderTooLong ${LANG_SPANISH} \
"Elija una carpeta cuya ruta tenga como máximo ${LONGEST_FOLDER} caracteres."

