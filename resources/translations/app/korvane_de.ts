<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Localizable</name>
    <message>
        <source>SpeedDial</source>
        <translation>Tachometer</translation>
    </message>
    <message>
        <source>InTheStore</source>
        <translation>im Store</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>AvailableInTheStore</source>
        <translation>Jetzt im Store</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvaneOnTheWeb</source>
        <translation>Korvane Vandel im Web</translation>
    </message>
    <message>
        <source>Recommend</source>
        <translation>Weiterempfehlen</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>RecommendByEmail</source>
        <translation>Per E-Mail empfehlen</translation>
    </message>
    <message>
        <source>ShareOnFacebook</source>
        <translation>Auf Facebook teilen</translation>
    </message>
    <message>
        <source>ShareOnTwitter</source>
        <translation>Auf Twitter teilen</translation>
    </message>
    <message>
        <source>Knots</source>
        <translation>Knoten</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Geschwindigkeit in</translation>
    </message>
    <message>
        <source>Trip</source>
        <translation>Strecke</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Strecke zurücksetzen</translation>
    </message>
    <message>
        <source>MoreAppsFromZentrik</source>
        <translation>Mehr Apps von Zentrik</translation>
    </message>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>Keine Ortungsquelle liefert Positionen. Starte gpsd, schließe deinen GPS-Empfänger an oder erlaube Korvane Vandel den Standortzugriff, dann folgt die Nadel deiner Geschwindigkeit.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>NavigationItem</name>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>TabBarItem</name>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
</context>
<context>
    <name>moreApps</name>
    <message>
        <source>AppRecomendText</source>
        <translation>Gefällt dir _AppName_? Dann schreib doch eine Bewertung ☺ ➟</translation>
    </message>
    <message>
        <source>RecommendedApps</source>
        <translation>Empfohlene Apps</translation>
    </message>
    <message>
        <source>KorvanePro</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvanePro_desc</source>
        <translation>Beschleunigung in Sek., Tempowarner, digital, HUD...</translation>
    </message>
    <message>
        <source>Nordweiser</source>
        <translation>Nordweiser Kompass</translation>
    </message>
    <message>
        <source>Nordweiser_desc</source>
        <translation>Ein Kompass für geografisch Nord, der ohne Netz funktioniert.</translation>
    </message>
    <message>
        <source>Pegelwerk</source>
        <translation>Pegelwerk Wasserwaage</translation>
    </message>
    <message>
        <source>Pegelwerk_desc</source>
        <translation>Wasserwaage und Neigungsmesser für Regale, Bilder und Wohnwagen.</translation>
    </message>
    <message>
        <source>Tidenhub</source>
        <translation>Tidenhub Gezeiten</translation>
    </message>
    <message>
        <source>Tidenhub_desc</source>
        <translation>Gezeiten und Strömungen für 4.000 Häfen, offline.</translation>
    </message>
    <message>
        <source>TidenhubLite</source>
        <translation>Tidenhub Lite</translation>
    </message>
    <message>
        <source>TidenhubLite_desc</source>
        <translation>Die Gezeiten deines Heimathafens, kostenlos.</translation>
    </message>
    <message>
        <source>AllAppsFromZentrik</source>
        <translation>Alle Apps von Zentrik</translation>
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
        <translation>Teilen auf</translation>
    </message>
    <message>
        <source>look</source>
        <translation>Schau dir mal </translation>
    </message>
    <message>
        <source>hello</source>
        <translation>Hallo</translation>
    </message>
</context>
<context>
    <name>MailComposer</name>
    <message>
        <source>Opening</source>
        <translation>Dein E-Mail-Programm wird geöffnet…</translation>
    </message>
</context>
<context>
    <name>KorvaneProAd</name>
    <message>
        <source>hud</source>
        <translation>HUD [Head-up-Display] </translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>Höhe </translation>
    </message>
    <message>
        <source>54.text</source>
        <translation>Tempowarner </translation>
    </message>
    <message>
        <source>56.text</source>
        <translation>0 auf 100 in [s] </translation>
    </message>
    <message>
        <source>53.text</source>
        <translation>Fahrtrichtung </translation>
    </message>
    <message>
        <source>52.text</source>
        <translation>max. ∅ Geschwindigkeit </translation>
    </message>
</context>
<context>
    <name>GADFullScreenAdView</name>
    <message>
        <source>Learn more</source>
        <translation>Mehr erfahren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Cannot open the link</source>
        <translation>Link lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>No program on this computer opens this link:</source>
        <translation>Kein Programm auf diesem Computer öffnet diesen Link:</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>No internet connection.</source>
        <translation>Keine Internetverbindung.</translation>
    </message>
    <message>
        <source>The site could not be found. Check your internet connection.</source>
        <translation>Die Seite wurde nicht gefunden. Prüfe deine Internetverbindung.</translation>
    </message>
    <message>
        <source>The site refused the connection.</source>
        <translation>Die Seite hat die Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation>Die Seite hat zu lange nicht geantwortet.</translation>
    </message>
    <message>
        <source>The site's certificate is not valid; the page was not opened.</source>
        <translation>Das Zertifikat der Seite ist ungültig; die Seite wurde nicht geöffnet.</translation>
    </message>
</context>
</TS>
