<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Localizable</name>
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
</TS>
