// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line/usage.h"

#include "quintara_version.h"

namespace quintara::command_line {

std::string helpText() {
    return std::string(
               "Uso: quintara [OPZIONE]...\n"
               "Propone numeri per il lotto sei su novanta con il numero Jolly.\n"
               "\n"
               "      --offline        non chiede nulla al sito del produttore: nessuna\n"
               "                         connessione, nessun motore web; sotto l'intestazione\n"
               "                         una pagina del programma\n"
               "      --online         chiede la pagina del sito anche quando il file delle\n"
               "                         opzioni dice --offline\n"
               "      --config-folder  tiene Quintara.cfg nella cartella di configurazione\n"
               "                         ($XDG_CONFIG_HOME/quintara, di solito\n"
               "                         ~/.config/quintara) invece che nella cartella\n"
               "                         corrente, come quando lo avvia il menu del desktop\n"
               "      --help           mostra questo aiuto ed esce\n"
               "      --version        mostra la versione ed esce\n"
               "\n"
               "Senza --offline, chiusa la finestra di informazioni, il programma chiede al\n"
               "sito del produttore una pagina, in HTTP non cifrato, e la mostra sotto\n"
               "l'intestazione. Le opzioni scritte una per riga nel file\n"
               "$XDG_CONFIG_HOME/quintara/options valgono a ogni avvio; quelle della riga\n"
               "di comando vengono dopo. Valgono anche le opzioni di ogni programma Qt,\n"
               "come -platform. Per i dettagli: man quintara.\n"
               "\n"
               "Segnalare i bug a <") +
           version::kBugAddress +
           ">.\n"
           "Pagina del programma: <" +
           version::kHomepage + ">\n";
}

std::string versionText() {
    return std::string("quintara (Quintara) ") + version::kShown +
           "\n"
           "Copyright (C) 2026 gli autori di Quintara\n"
           "Licenza GPLv3+: GNU GPL versione 3 o successiva "
           "<https://gnu.org/licenses/gpl.html>.\n"
           "Questo è software libero: lo si può modificare e ridistribuire.\n"
           "Non c'è ALCUNA GARANZIA, nei limiti consentiti dalla legge.\n";
}

std::string usageError(std::string_view what) {
    return "quintara: " + std::string(what) +
           "\n"
           "Usare \"quintara --help\" per ulteriori informazioni.\n";
}

}  // namespace quintara::command_line
