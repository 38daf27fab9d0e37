<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>Localizable</name>
    <message>
        <source>SpeedDial</source>
        <translation>Mostrador de velocidade</translation>
    </message>
    <message>
        <source>InTheStore</source>
        <translation>na loja</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Baixar</translation>
    </message>
    <message>
        <source>AvailableInTheStore</source>
        <translation>Disponível na loja</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvaneOnTheWeb</source>
        <translation>Korvane Vandel na web</translation>
    </message>
    <message>
        <source>Recommend</source>
        <translation>Recomendar</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>RecommendByEmail</source>
        <translation>Recomendar por e-mail</translation>
    </message>
    <message>
        <source>ShareOnFacebook</source>
        <translation>Compartilhar no Facebook</translation>
    </message>
    <message>
        <source>ShareOnTwitter</source>
        <translation>Compartilhar no Twitter</translation>
    </message>
    <message>
        <source>Knots</source>
        <translation>nós</translation>
    </message>
    <message>
        <source>SpeedUnit</source>
        <translation>Unidade de velocidade</translation>
    </message>
    <message>
        <source>Trip</source>
        <translation>Percurso</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zerar percurso</translation>
    </message>
    <message>
        <source>MoreAppsFromZentrik</source>
        <translation>Mais apps da Zentrik</translation>
    </message>
    <message>
        <source>KorvaneFree</source>
        <translation>Korvane Vandel</translation>
    </message>
    <message>
        <source>gps_off</source>
        <translation>Nenhuma fonte de localização está enviando posições. Inicie o gpsd, conecte seu receptor GPS ou permita o acesso à localização para o Korvane Vandel, e o ponteiro seguirá sua velocidade.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
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
        <translation>Downloads</translation>
    </message>
</context>
<context>
    <name>moreApps</name>
    <message>
        <source>AppRecomendText</source>
        <translation>Se você gosta do _AppName_, não esqueça de escrever uma avaliação ☺ ➟</translation>
    </message>
    <message>
        <source>RecommendedApps</source>
        <translation>Apps recomendadas</translation>
    </message>
    <message>
        <source>KorvanePro</source>
        <translation>Korvane Ostrin</translation>
    </message>
    <message>
        <source>KorvanePro_desc</source>
        <translation>Aceleração em s, alerta de velocidade, digital, HUD...</translation>
    </message>
    <message>
        <source>Nordweiser</source>
        <translation>Bússola Nordweiser</translation>
    </message>
    <message>
        <source>Nordweiser_desc</source>
        <translation>Uma bússola do norte geográfico que funciona sem rede.</translation>
    </message>
    <message>
        <source>Pegelwerk</source>
        <translation>Nível Pegelwerk</translation>
    </message>
    <message>
        <source>Pegelwerk_desc</source>
        <translation>Nível de bolha e inclinômetro para prateleiras, quadros e trailers.</translation>
    </message>
    <message>
        <source>Tidenhub</source>
        <translation>Marés Tidenhub</translation>
    </message>
    <message>
        <source>Tidenhub_desc</source>
        <translation>Marés e correntes de 4000 portos, offline.</translation>
    </message>
    <message>
        <source>TidenhubLite</source>
        <translation>Tidenhub Lite</translation>
    </message>
    <message>
        <source>TidenhubLite_desc</source>
        <translation>As marés do seu porto, grátis.</translation>
    </message>
    <message>
        <source>AllAppsFromZentrik</source>
        <translation>Todas as apps da Zentrik</translation>
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
        <translation>Compartilhar no</translation>
    </message>
    <message>
        <source>look</source>
        <translation>Dê uma olhada em </translation>
    </message>
    <message>
        <source>hello</source>
        <translation>Olá</translation>
    </message>
</context>
<context>
    <name>MailComposer</name>
    <message>
        <source>Opening</source>
        <translation>Abrindo seu programa de e-mail…</translation>
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
        <translation>alerta de velocidade </translation>
    </message>
    <message>
        <source>56.text</source>
        <translation>0 a 100 em [s] </translation>
    </message>
    <message>
        <source>53.text</source>
        <translation>direção </translation>
    </message>
    <message>
        <source>52.text</source>
        <translation>velocidade máx. ∅ </translation>
    </message>
</context>
<context>
    <name>GADFullScreenAdView</name>
    <message>
        <source>Learn more</source>
        <translation>Saiba mais</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Cannot open the link</source>
        <translation>Não é possível abrir o link</translation>
    </message>
    <message>
        <source>No program on this computer opens this link:</source>
        <translation>Nenhum programa deste computador abre este link:</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>No internet connection.</source>
        <translation>Sem conexão com a internet.</translation>
    </message>
    <message>
        <source>The site could not be found. Check your internet connection.</source>
        <translation>O site não foi encontrado. Verifique sua conexão com a internet.</translation>
    </message>
    <message>
        <source>The site refused the connection.</source>
        <translation>O site recusou a conexão.</translation>
    </message>
    <message>
        <source>The site took too long to answer.</source>
        <translation>O site demorou demais para responder.</translation>
    </message>
    <message>
        <source>The site's certificate is not valid; the page was not opened.</source>
        <translation>O certificado do site não é válido; a página não foi aberta.</translation>
    </message>
</context>
</TS>
