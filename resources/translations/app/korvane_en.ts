<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Localizable</name>
    <message>
        <source>SpeedDial</source>
        <translation>Speed dial</translation>
    </message>
    <message>
        <source>InTheStore</source>
        <translation>in the store</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>AvailableInTheStore</source>
        <translation>Available in the store</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvaneOnTheWeb</source>
        <translation>Korvane Vandel on the web</translation>
    </message>
    <message>
        <source>Recommend</source>
        <translation>Recommend</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>RecommendByEmail</source>
        <translation>Recommend by e-mail</translation>
    </message>
    <message>
        <source>ShareOnFacebook</source>
        <translation>Share on Facebook</translation>
    </message>
    <message>
        <source>ShareOnTwitter</source>
        <translation>Share on Twitter</translation>
    </message>
    <message>
        <source>Knots</source>
        <translation>knots</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Speed unit</translation>
    </message>
    <message>
        <source>Trip</source>
        <translation>Trip</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset trip</translation>
    </message>
    <message>
        <source>MoreAppsFromZentrik</source>
        <translation>More apps from Zentrik</translation>
    </message>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>No location source is delivering fixes. Start gpsd, connect your GPS receiver or allow location access for Korvane Vandel, then the needle will follow your speed.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>NavigationItem</name>
    <message>
        <source>Done</source>
        <translation>Done</translation>
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
        <translation>If you like _AppName_ don't forget to write a review ☺ ➟</translation>
    </message>
    <message>
        <source>RecommendedApps</source>
        <translation>Recommended Apps</translation>
    </message>
    <message>
        <source>KorvanePro</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvanePro_desc</source>
        <translation>Acceleration in sec, speed alert, digital, HUD...</translation>
    </message>
    <message>
        <source>Nordweiser</source>
        <translation>Nordweiser Compass</translation>
    </message>
    <message>
        <source>Nordweiser_desc</source>
        <translation>A true-north compass that works without a network.</translation>
    </message>
    <message>
        <source>Pegelwerk</source>
        <translation>Pegelwerk Level</translation>
    </message>
    <message>
        <source>Pegelwerk_desc</source>
        <translation>Spirit level and inclinometer for shelves, pictures and caravans.</translation>
    </message>
    <message>
        <source>Tidenhub</source>
        <translation>Tidenhub Tides</translation>
    </message>
    <message>
        <source>Tidenhub_desc</source>
        <translation>Tides and currents for 4,000 harbours, offline.</translation>
    </message>
    <message>
        <source>TidenhubLite</source>
        <translation>Tidenhub Lite</translation>
    </message>
    <message>
        <source>TidenhubLite_desc</source>
        <translation>The tides of your home harbour, free.</translation>
    </message>
    <message>
        <source>AllAppsFromZentrik</source>
        <translation>All apps from Zentrik</translation>
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
        <translation>Share on</translation>
    </message>
    <message>
        <source>look</source>
        <translation>Take a look at </translation>
    </message>
    <message>
        <source>hello</source>
        <translation>Hello</translation>
    </message>
</context>
<context>
    <name>MailComposer</name>
    <message>
        <source>Opening</source>
        <translation>Opening your mail client…</translation>
    </message>
</context>
<context>
    <name>KorvaneProAd</name>
    <message>
        <source>hud</source>
        <translation>HUD [Head Up Display] </translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>altitude </translation>
    </message>
    <message>
        <source>54.text</source>
        <translation>speed alert </translation>
    </message>
    <message>
        <source>56.text</source>
        <translation>0 to 100 in [s] </translation>
    </message>
    <message>
        <source>53.text</source>
        <translation>travel direction </translation>
    </message>
    <message>
        <source>52.text</source>
        <translation>max. ∅ speed </translation>
    </message>
</context>
<context>
    <name>GADFullScreenAdView</name>
    <message>
        <source>Learn more</source>
        <translation>Learn more</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Cannot open the link</source>
        <translation>Cannot open the link</translation>
    </message>
    <message>
        <source>No program on this computer opens this link:</source>
        <translation>No program on this computer opens this link:</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>No internet connection.</source>
        <translation>No internet connection.</translation>
    </message>
    <message>
        <source>The site could not be found. Check your internet connection.</source>
        <translation>The site could not be found. Check your internet connection.</translation>
    </message>
    <message>
        <source>The site refused the connection.</source>
        <translation>The site refused the connection.</translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation>The site took too long to answer.</translation>
    </message>
    <message>
        <source>The site's certificate is not valid; the page was not opened.</source>
        <translation>The site's certificate is not valid; the page was not opened.</translation>
    </message>
</context>
</TS>
