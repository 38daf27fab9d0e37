<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>RatePrompt</name>
    <message>
        <source>RatePromptMessageTitle</source>
        <translation>Avaliar %@</translation>
    </message>
    <message>
        <source>RatePromptAppMessage</source>
        <translation>Se gosta de usar o %@, importa-se de dedicar um momento a avaliá-lo? Não demora mais de um minuto. Obrigado pelo seu apoio!</translation>
    </message>
    <message>
        <source>RatePromptGameMessage</source>
        <translation>Se gosta de jogar %@, importa-se de dedicar um momento a avaliá-lo? Não demora mais de um minuto. Obrigado pelo seu apoio!</translation>
    </message>
    <message>
        <source>RatePromptCancelButton</source>
        <translation>Não, obrigado</translation>
    </message>
    <message>
        <source>RatePromptRateButton</source>
        <translation>Avaliar agora</translation>
    </message>
    <message>
        <source>RatePromptRemindButton</source>
        <translation>Lembrar mais tarde</translation>
    </message>
</context>
</TS>
