<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Localizable</name>
    <message>
        <source>SpeedDial</source>
        <translation>Cadran de vitesse</translation>
    </message>
    <message>
        <source>InTheStore</source>
        <translation>sur le store</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>AvailableInTheStore</source>
        <translation>Disponible sur le store</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvaneOnTheWeb</source>
        <translation>Korvane Vandel sur le web</translation>
    </message>
    <message>
        <source>Recommend</source>
        <translation>Recommander</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>RecommendByEmail</source>
        <translation>Recommander par e-mail</translation>
    </message>
    <message>
        <source>ShareOnFacebook</source>
        <translation>Partager sur Facebook</translation>
    </message>
    <message>
        <source>ShareOnTwitter</source>
        <translation>Partager sur Twitter</translation>
    </message>
    <message>
        <source>Knots</source>
        <translation>nœuds</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Unité de vitesse</translation>
    </message>
    <message>
        <source>Trip</source>
        <translation>Trajet</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Remettre à zéro</translation>
    </message>
    <message>
        <source>MoreAppsFromZentrik</source>
        <translation>Plus d’apps de Zentrik</translation>
    </message>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>Aucune source de localisation ne fournit de position. Lancez gpsd, branchez votre récepteur GPS ou autorisez Korvane Vandel à accéder à la localisation, et l’aiguille suivra votre vitesse.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
</context>
<context>
    <name>NavigationItem</name>
    <message>
        <source>Done</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TabBarItem</name>
    <message>
        <source>Downloads</source>
        <translation>Téléchargements</translation>
    </message>
</context>
<context>
    <name>moreApps</name>
    <message>
        <source>AppRecomendText</source>
        <translation>Vous aimez _AppName_ ? N'oubliez pas d'écrire un avis ☺ ➟</translation>
    </message>
    <message>
        <source>RecommendedApps</source>
        <translation>Apps recommandées</translation>
    </message>
    <message>
        <source>KorvanePro</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvanePro_desc</source>
        <translation>Accélération en s, alerte de vitesse, numérique, HUD...</translation>
    </message>
    <message>
        <source>Nordweiser</source>
        <translation>Boussole Nordweiser</translation>
    </message>
    <message>
        <source>Nordweiser_desc</source>
        <translation>Une boussole du nord géographique qui marche sans réseau.</translation>
    </message>
    <message>
        <source>Pegelwerk</source>
        <translation>Niveau Pegelwerk</translation>
    </message>
    <message>
        <source>Pegelwerk_desc</source>
        <translation>Niveau à bulle et inclinomètre pour étagères, tableaux et caravanes.</translation>
    </message>
    <message>
        <source>Tidenhub</source>
        <translation>Marées Tidenhub</translation>
    </message>
    <message>
        <source>Tidenhub_desc</source>
        <translation>Marées et courants de 4 000 ports, hors ligne.</translation>
    </message>
    <message>
        <source>TidenhubLite</source>
        <translation>Tidenhub Lite</translation>
    </message>
    <message>
        <source>TidenhubLite_desc</source>
        <translation>Les marées de votre port d’attache, gratuit.</translation>
    </message>
    <message>
        <source>AllAppsFromZentrik</source>
        <translation>Toutes les apps de Zentrik</translation>
    </message>
</context>
<context>
    <name>InfoPlist</name>
    <message>
        <source>CFBundleDisplayName</source>
        <translation>Korvane</translation>
    </message>
</context>
<context>
    <name>EmailRecommend</name>
    <message>
        <source>share</source>
        <translation>Partager sur</translation>
    </message>
    <message>
        <source>look</source>
        <translation>Jetez un œil à </translation>
    </message>
    <message>
        <source>hello</source>
        <translation>Bonjour</translation>
    </message>
</context>
<context>
    <name>MailComposer</name>
    <message>
        <source>Opening</source>
        <translation>Ouverture de votre messagerie…</translation>
    </message>
</context>
<context>
    <name>KorvaneProAd</name>
    <message>
        <source>hud</source>
        <translation>HUD [affichage tête haute] </translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>altitude </translation>
    </message>
    <message>
        <source>54.text</source>
        <translation>alerte de vitesse </translation>
    </message>
    <message>
        <source>56.text</source>
        <translation>0 à 100 en [s] </translation>
    </message>
    <message>
        <source>53.text</source>
        <translation>direction </translation>
    </message>
    <message>
        <source>52.text</source>
        <translation>vitesse max. ∅ </translation>
    </message>
</context>
<context>
    <name>GADFullScreenAdView</name>
    <message>
        <source>Learn more</source>
        <translation>En savoir plus</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Cannot open the link</source>
        <translation>Impossible d’ouvrir le lien</translation>
    </message>
    <message>
        <source>No program on this computer opens this link:</source>
        <translation>Aucun programme de cet ordinateur n’ouvre ce lien :</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>No internet connection.</source>
        <translation>Pas de connexion Internet.</translation>
    </message>
    <message>
        <source>The site could not be found. Check your internet connection.</source>
        <translation>Le site est introuvable. Vérifiez votre connexion Internet.</translation>
    </message>
    <message>
        <source>The site refused the connection.</source>
        <translation>Le site a refusé la connexion.</translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation>Le site a mis trop de temps à répondre.</translation>
    </message>
    <message>
        <source>The site's certificate is not valid; the page was not opened.</source>
        <translation>Le certificat du site n’est pas valide ; la page n’a pas été ouverte.</translation>
    </message>
</context>
</TS>
