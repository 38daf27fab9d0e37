<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>RatePrompt</name>
    <message>
        <source>RatePromptMessageTitle</source>
        <translation>Noter %@</translation>
    </message>
    <message>
        <source>RatePromptAppMessage</source>
        <translation>Si vous aimez utiliser %@, accepteriez-vous de prendre un moment pour l’évaluer ? Cela ne prendra pas plus d’une minute. Merci de votre soutien !</translation>
    </message>
    <message>
        <source>RatePromptGameMessage</source>
        <translation>Si vous aimez jouer à %@, accepteriez-vous de prendre un moment pour l’évaluer ? Cela ne prendra pas plus d’une minute. Merci de votre soutien !</translation>
    </message>
    <message>
        <source>RatePromptCancelButton</source>
        <translation>Non, merci</translation>
    </message>
    <message>
        <source>RatePromptRateButton</source>
        <translation>Noter maintenant</translation>
    </message>
    <message>
        <source>RatePromptRemindButton</source>
        <translation>Me le rappeler plus tard</translation>
    </message>
</context>
</TS>
