<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Localizable</name>
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
</TS>
