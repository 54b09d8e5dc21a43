// A short passage of everyday text in each language, the same story told in each:
// the language guess (guess.js) learns from these which letter triples are common
// where. Languages without a passage are still translated; the guess then leaves
// them to the unknown-word count.
window.QUILLORA_SAMPLES = {
    en: "It was late in the evening when they finally arrived in the small town. The streets were " +
        "quiet and most of the shops had already closed for the night. She asked an old man which way " +
        "led to the hotel, and he pointed towards the church on the hill. They walked slowly because " +
        "their bags were heavy and everyone was tired after such a long journey. Nobody knew what " +
        "would happen the following day, but they would have to find work and somewhere to live. " +
        "Would you like something to eat? We could ask whether the kitchen is still open. I think " +
        "that there should be enough money for a few nights, if we are careful. Children were playing " +
        "outside, laughing and shouting, while their parents talked about the harvest, the prices and " +
        "the government. Each day my mother makes bread and tea for the whole family. My father works " +
        "in an office near the river, and my aunt studies medicine at the university. On Saturdays we " +
        "go to the market to buy fruit, vegetables, fish and cheese. In winter it often rains and the " +
        "wind is cold, but in summer the sun shines and we swim in the lake. Our neighbours have two " +
        "cats, a horse and three chickens. Excuse me, could you tell me how much this costs? It is " +
        "too expensive, I will take the cheaper one. What time does the museum open on Sunday?",
    es: "Era muy tarde cuando por fin llegaron al pueblo pequeño. Las calles estaban tranquilas y " +
        "casi todas las tiendas ya habían cerrado por la noche. Ella le preguntó a un hombre mayor " +
        "cuál era el camino hacia el hotel, y él señaló la iglesia que estaba en la colina. Caminaban " +
        "despacio porque las maletas pesaban mucho y todos estaban cansados después de un viaje tan " +
        "largo. Nadie sabía qué pasaría luego, pero tendrían que buscar trabajo y un lugar donde " +
        "vivir. ¿Quieres comer algo? Podríamos preguntar si la cocina todavía está abierta. Creo que " +
        "hay suficiente dinero para unas cuantas noches, si tenemos cuidado. Los niños jugaban fuera, " +
        "se reían y gritaban, mientras sus padres hablaban de la cosecha, de los precios y del " +
        "gobierno. Cada día mi madre prepara pan y té para toda la familia. Mi padre trabaja en una " +
        "oficina cerca del río, y mi tía estudia medicina en la universidad. Los sábados vamos al " +
        "mercado a comprar fruta, verduras, pescado y queso. En invierno llueve a menudo y el viento " +
        "es frío, pero en verano brilla el sol y nadamos en el lago. Nuestros vecinos tienen dos " +
        "gatos, un caballo y tres gallinas. Perdone, ¿me puede decir cuánto cuesta esto? Es demasiado " +
        "caro, me llevo el más barato. ¿A qué hora abre el museo el domingo?",
    ca: "Era molt tard quan per fi van arribar al poble petit. Els carrers estaven tranquils i " +
        "gairebé totes les botigues ja havien tancat per la nit. Ella va preguntar a un home gran " +
        "quin era el camí cap a l'hotel, i ell va assenyalar l'església que hi havia dalt del turó. " +
        "Caminaven a poc a poc perquè les maletes pesaven molt i tothom estava cansat després d'un " +
        "viatge tan llarg. Ningú no sabia què passaria després, però haurien de buscar feina i un " +
        "lloc on viure. Vols menjar alguna cosa? Podríem preguntar si la cuina encara és oberta. Crec " +
        "que hi ha prou diners per a unes quantes nits, si anem amb compte. Els nens jugaven a fora, " +
        "reien i cridaven, mentre els seus pares parlaven de la collita, dels preus i del govern. " +
        "Cada dia la meva mare prepara pa i te per a tota la família. El meu pare treballa en una " +
        "oficina a prop del riu, i la meva tia estudia medicina a la universitat. Els dissabtes anem " +
        "al mercat a comprar fruita, verdura, peix i formatge. A l'hivern plou sovint i el vent és " +
        "fred, però a l'estiu brilla el sol i nedem al llac. Els nostres veïns tenen dos gats, un " +
        "cavall i tres gallines. Perdoni, em pot dir quant costa això? És massa car, em quedo el més " +
        "barat. A quina hora obre el museu diumenge?",
    gl: "Era moi tarde cando por fin chegaron á vila pequena. As rúas estaban tranquilas e case todas " +
        "as tendas xa pecharan pola noite. Ela preguntoulle a un home maior cal era o camiño cara ao " +
        "hotel, e el sinalou a igrexa que había no outeiro. Camiñaban devagar porque as maletas " +
        "pesaban moito e todos estaban cansos despois dunha viaxe tan longa. Ninguén sabía que " +
        "pasaría despois, pero terían que buscar traballo e un sitio onde vivir. Queres comer algo? " +
        "Poderiamos preguntar se a cociña aínda está aberta. Coido que hai cartos dabondo para unhas " +
        "cantas noites, se temos coidado. Os nenos xogaban fóra, rían e berraban, mentres os seus " +
        "pais falaban da colleita, dos prezos e do goberno. Cada día a miña nai prepara pan e té para " +
        "toda a familia. O meu pai traballa nunha oficina preto do río, e a miña tía estuda medicina " +
        "na universidade. Os sábados vamos ao mercado mercar froita, verduras, peixe e queixo. No " +
        "inverno chove a miúdo e o vento é frío, pero no verán brilla o sol e nadamos no lago. Os " +
        "nosos veciños teñen dous gatos, un cabalo e tres galiñas. Desculpe, pódeme dicir canto custa " +
        "isto? É demasiado caro, lévome o máis barato. A que hora abre o museo o domingo?",
    pt: "Era muito tarde quando finalmente chegaram à pequena vila. As ruas estavam tranquilas e " +
        "quase todas as lojas já tinham fechado durante a noite. Ela perguntou a um homem idoso qual " +
        "era o caminho para o hotel, e ele apontou para a igreja que ficava no alto da colina. " +
        "Caminhavam devagar porque as malas eram pesadas e todos estavam cansados depois de uma " +
        "viagem tão longa. Ninguém sabia o que iria acontecer depois, mas teriam de procurar trabalho " +
        "e um sítio onde viver. Queres comer alguma coisa? Podíamos perguntar se a cozinha ainda está " +
        "aberta. Acho que há dinheiro suficiente para algumas noites, se tivermos cuidado. As " +
        "crianças brincavam lá fora, riam e gritavam, enquanto os seus pais falavam da colheita, dos " +
        "preços e do governo. Não é verdade? Todos os dias a minha mãe prepara pão e chá para toda a " +
        "família. O meu pai trabalha num escritório perto do rio, e a minha tia estuda medicina na " +
        "universidade. Aos sábados vamos ao mercado comprar fruta, legumes, peixe e queijo. No " +
        "inverno chove muitas vezes e o vento é frio, mas no verão o sol brilha e nadamos no lago. Os " +
        "nossos vizinhos têm dois gatos, um cavalo e três galinhas. Desculpe, pode dizer-me quanto " +
        "custa isto? É demasiado caro, levo o mais barato. A que horas abre o museu ao domingo?",
    it: "Era molto tardi quando finalmente arrivarono nel piccolo paese. Le strade erano tranquille e " +
        "quasi tutti i negozi avevano già chiuso per la notte. Lei chiese a un uomo anziano quale " +
        "fosse la strada per l'albergo, e lui indicò la chiesa che si trovava sulla collina. " +
        "Camminavano lentamente perché le valigie erano pesanti e tutti erano stanchi dopo un viaggio " +
        "così lungo. Nessuno sapeva che cosa sarebbe successo poi, ma avrebbero dovuto cercare lavoro " +
        "e un posto dove vivere. Vuoi mangiare qualcosa? Potremmo chiedere se la cucina è ancora " +
        "aperta. Penso che ci siano abbastanza soldi per qualche notte, se stiamo attenti. I bambini " +
        "giocavano fuori, ridevano e gridavano, mentre i loro genitori parlavano del raccolto, dei " +
        "prezzi e del governo. Ogni giorno mia madre prepara il pane e il tè per tutta la famiglia. " +
        "Mio padre lavora in un ufficio accanto al fiume, e mia zia studia medicina all'università. " +
        "Il sabato andiamo al mercato a comprare frutta, verdura, pesce e formaggio. D'inverno piove " +
        "spesso e il vento è freddo, ma d'estate splende il sole e nuotiamo nel lago. I nostri vicini " +
        "hanno due gatti, un cavallo e tre galline. Mi scusi, può dirmi quanto costa questo? È troppo " +
        "caro, prendo quello più economico. A che ora apre il museo la domenica?",
    fr: "Il était très tard quand ils sont enfin arrivés dans le petit village. Les rues étaient " +
        "calmes et presque tous les magasins avaient déjà fermé pour la nuit. Elle a demandé à un " +
        "vieil homme quel était le chemin de l'hôtel, et il a montré l'église qui se trouvait sur la " +
        "colline. Ils marchaient lentement parce que leurs valises étaient lourdes et que tout le " +
        "monde était fatigué après un voyage aussi long. Personne ne savait ce qui allait se passer " +
        "ensuite, mais il faudrait chercher du travail et un endroit où vivre. Veux-tu manger quelque " +
        "chose ? On pourrait demander si la cuisine est encore ouverte. Je pense qu'il y a assez " +
        "d'argent pour quelques nuits, si nous faisons attention. Les enfants jouaient dehors, " +
        "riaient et criaient, pendant que leurs parents parlaient de la récolte, des prix et du " +
        "gouvernement. Chaque jour ma mère prépare du pain et du thé pour toute la famille. Mon père " +
        "travaille dans un bureau près de la rivière, et ma tante étudie la médecine à l'université. " +
        "Le samedi, on va au marché pour acheter des fruits, des légumes, du poisson et du fromage. " +
        "En hiver il pleut souvent et le vent est froid, mais en été le soleil brille et nous nageons " +
        "dans le lac. Nos voisins ont deux chats, un cheval et trois poules. Excusez-moi, pouvez-vous " +
        "me dire combien cela coûte ? C'est trop cher, je prends le moins cher. À quelle heure le " +
        "musée ouvre-t-il le dimanche ?",
    eo: "Estis tre malfrue kiam ili fine alvenis en la malgrandan vilaĝon. La stratoj estis " +
        "trankvilaj kaj preskaŭ ĉiuj vendejoj jam fermiĝis por la nokto. Ŝi demandis maljunan viron, " +
        "kiu vojo kondukas al la hotelo, kaj li montris la preĝejon sur la monteto. Ili iris " +
        "malrapide, ĉar la valizoj estis pezaj kaj ĉiuj estis lacaj post tiel longa vojaĝo. Neniu " +
        "sciis, kio okazos poste, sed ili devos serĉi laboron kaj lokon por loĝi. Ĉu vi volas manĝi " +
        "ion? Ni povus demandi, ĉu la kuirejo ankoraŭ estas malfermita. Mi pensas, ke estas sufiĉe da " +
        "mono por kelkaj noktoj, se ni estos zorgemaj. La infanoj ludis ekstere, ridis kaj kriis, dum " +
        "iliaj gepatroj parolis pri la rikolto, la prezoj kaj la registaro. Ĉiutage mia patrino " +
        "preparas panon kaj teon por la tuta familio. Mia patro laboras en oficejo apud la rivero, " +
        "kaj mia onklino studas medicinon en la universitato. Sabate ni vizitas la bazaron por aĉeti " +
        "fruktojn, legomojn, fiŝon kaj fromaĝon. Vintre ofte pluvas kaj la vento estas malvarma, sed " +
        "somere la suno brilas kaj ni naĝas en la lago. Niaj najbaroj havas du katojn, ĉevalon kaj " +
        "tri kokinojn. Pardonu, ĉu vi povas diri al mi kiom tio kostas? Ĝi estas tro multekosta, mi " +
        "prenos la malpli karan. Je kioma horo la muzeo malfermiĝas dimanĉe?",
    eu: "Oso berandu zen azkenean herri txikira iritsi zirenean. Kaleak lasai zeuden eta ia denda " +
        "guztiak itxita zeuden gauerako. Hark gizon zahar bati galdetu zion zein zen hotelerako " +
        "bidea, eta hark muinoaren gaineko eliza seinalatu zuen. Poliki ibiltzen ziren, maletak " +
        "astunak zirelako eta denak nekatuta zeudelako hain bidaia luzearen ondoren. Inork ez zekien " +
        "zer gertatuko zen gero, baina lana eta bizitzeko leku bat bilatu beharko zuten. Zerbait jan " +
        "nahi duzu? Sukaldea oraindik irekita dagoen galdetu genezake. Uste dut gau batzuetarako diru " +
        "nahikoa dagoela, kontuz ibiltzen bagara. Haurrak kanpoan jolasten ziren, barre egiten eta " +
        "oihuka, gurasoek uztaz, prezioez eta gobernuaz hitz egiten zuten bitartean. Egunero nire " +
        "amak ogia eta tea prestatzen ditu familia osoarentzat. Nire aitak ibaiaren ondoko bulego " +
        "batean egiten du lan, eta nire izebak medikuntza ikasten du unibertsitatean. Larunbatetan " +
        "azokara joaten gara fruta, barazkiak, arraina eta gazta erostera. Neguan maiz egiten du " +
        "euria eta haizea hotza da, baina udan eguzkia distiratsu dago eta lakuan igeri egiten dugu. " +
        "Gure bizilagunek bi katu, zaldi bat eta hiru oilo dituzte. Barkatu, esango zenidake zenbat " +
        "balio duen honek? Garestiegia da, merkeena hartuko dut. Zer ordutan irekitzen da museoa " +
        "igandean?",
    is: "Það var orðið mjög seint þegar þau komu loksins í litla þorpið. Göturnar voru rólegar og " +
        "næstum allar búðirnar höfðu þegar lokað fyrir nóttina. Hún spurði gamlan mann hvaða leið " +
        "lægi að hótelinu, og hann benti á kirkjuna uppi á hæðinni. Þau gengu hægt því töskurnar voru " +
        "þungar og allir voru þreyttir eftir svo langa ferð. Enginn vissi hvað myndi gerast seinna, " +
        "en þau þyrftu að finna vinnu og stað til að búa á. Viltu borða eitthvað? Við gætum spurt " +
        "hvort eldhúsið sé enn opið. Ég held að það séu nægir peningar fyrir nokkrar nætur, ef við " +
        "förum varlega. Börnin léku sér úti, hlógu og kölluðu, á meðan foreldrar þeirra töluðu um " +
        "uppskeruna, verðið og ríkisstjórnina. Á hverjum degi bakar móðir mín brauð og hellir upp á " +
        "te fyrir alla fjölskylduna. Faðir minn vinnur á skrifstofu nálægt ánni, og frænka mín lærir " +
        "læknisfræði í háskólanum. Á laugardögum göngum við á markaðinn til að kaupa ávexti, " +
        "grænmeti, fisk og ost. Á veturna rignir oft og vindurinn er kaldur, en á sumrin skín sólin " +
        "og við syndum í vatninu. Nágrannar okkar eiga tvo ketti, einn hest og þrjár hænur. Afsakið, " +
        "gætirðu sagt mér hvað þetta kostar? Það er of dýrt, ég tek það ódýrara. Hvenær opnar safnið " +
        "á sunnudaginn?",
    hbs: "Bilo je vrlo kasno kad su napokon stigli u malo selo. Ulice su bile mirne i gotovo sve " +
         "trgovine već su bile zatvorene za noć. Ona je upitala jednog starca koji put vodi do hotela, " +
         "a on je pokazao na crkvu na brežuljku. Hodali su polako jer su kovčezi bili teški i svi su " +
         "bili umorni nakon tako dugog putovanja. Nitko nije znao što će se dogoditi poslije, ali " +
         "morat će potražiti posao i mjesto za život. Želiš li nešto pojesti? Mogli bismo pitati je li " +
         "kuhinja još otvorena. Mislim da ima dovoljno novca za nekoliko noći, ako budemo pažljivi. " +
         "Djeca su se igrala vani, smijala se i vikala, dok su njihovi roditelji razgovarali o žetvi, " +
         "cijenama i vladi. Svaki dan moja majka priprema kruh i čaj za cijelu obitelj. Moj otac radi " +
         "u uredu blizu rijeke, a moja teta studira medicinu na sveučilištu. Subotom odlazimo na " +
         "tržnicu kupiti voće, povrće, ribu i sir. Zimi često pada kiša i vjetar je hladan, ali ljeti " +
         "sunce sja i plivamo u jezeru. Naši susjedi imaju dvije mačke, konja i tri kokoši. Oprostite, " +
         "možete li mi reći koliko ovo košta? Preskupo je, uzet ću jeftinije. U koliko sati se otvara " +
         "muzej u nedjelju?",
    mk: "Беше многу доцна кога конечно стигнаа во малото село. Улиците беа мирни и речиси сите " +
        "продавници веќе беа затворени за ноќта. Таа праша еден старец кој пат води до хотелот, а тој " +
        "покажа кон црквата на ридот. Одеа полека бидејќи куферите беа тешки и сите беа уморни по " +
        "толку долго патување. Никој не знаеше што ќе се случи потоа, но ќе мораат да бараат работа и " +
        "место за живеење. Сакаш ли да јадеш нешто? Можеме да прашаме дали кујната е сè уште " +
        "отворена. Мислам дека има доволно пари за неколку ноќи, ако внимаваме. Децата си играа " +
        "надвор, се смееја и викаа, додека нивните родители зборуваа за жетвата, цените и владата. " +
        "Секој ден мојата мајка подготвува леб и чај за целото семејство. Татко ми работи во " +
        "канцеларија близу до реката, а тетка ми студира медицина на универзитетот. Во сабота " +
        "купуваме на пазарот овошје, зеленчук, риба и сирење. Во зима често врне дожд и ветерот е " +
        "студен, но во лето сонцето сјае и пливаме во езерото. Нашите соседи имаат две мачки, коњ и " +
        "три кокошки. Извинете, можете ли да ми кажете колку чини ова? Премногу е скапо, ќе го земам " +
        "поевтиното. Во колку часот се отвора музејот во недела?",
    ro: "Era foarte târziu când au ajuns în sfârșit în satul mic. Străzile erau liniștite și aproape " +
        "toate magazinele se închiseseră deja pentru noapte. Ea a întrebat un bătrân care este drumul " +
        "spre hotel, iar el a arătat spre biserica de pe deal. Mergeau încet pentru că bagajele erau " +
        "grele și toți erau obosiți după o călătorie atât de lungă. Nimeni nu știa ce se va întâmpla " +
        "mai departe.",
    oc: "Èra fòrça tard quand arribèron enfin al pichon vilatge. Las carrièras èran tranquillas e " +
        "gaireben totas las botigas avián ja tampat per la nuèit. Ela demandèt a un òme vièlh quin " +
        "èra lo camin de l'ostal, e el mostrèt la glèisa que se trobava sus la colina. Caminavan " +
        "plan-plan perque las valisas èran pesugas e totes èran las aprèp un viatge tan long. Degun " +
        "sabiá pas çò que se passariá puèi.",
    nl: "Het was al erg laat toen ze eindelijk in het kleine dorp aankwamen. De straten waren stil en " +
        "bijna alle winkels waren al gesloten voor de nacht. Ze vroeg een oude man welke weg naar het " +
        "hotel leidde, en hij wees naar de kerk op de heuvel. Ze liepen langzaam omdat hun koffers " +
        "zwaar waren en iedereen moe was na zo'n lange reis. Niemand wist wat er daarna zou gebeuren.",
    sv: "Det var redan mycket sent när de äntligen kom fram till den lilla byn. Gatorna var tysta och " +
        "nästan alla affärer hade redan stängt för natten. Hon frågade en gammal man vilken väg som " +
        "ledde till hotellet, och han pekade mot kyrkan uppe på kullen. De gick långsamt eftersom " +
        "väskorna var tunga och alla var trötta efter en så lång resa. Ingen visste vad som skulle " +
        "hända sedan.",
    da: "Det var allerede meget sent, da de endelig nåede frem til den lille landsby. Gaderne var " +
        "stille, og næsten alle butikkerne havde allerede lukket for natten. Hun spurgte en gammel " +
        "mand, hvilken vej der førte til hotellet, og han pegede på kirken oppe på bakken. De gik " +
        "langsomt, fordi kufferterne var tunge, og alle var trætte efter sådan en lang rejse. Ingen " +
        "vidste, hvad der ville ske bagefter.",
    nb: "Det var allerede veldig sent da de endelig kom fram til den lille landsbyen. Gatene var " +
        "stille, og nesten alle butikkene hadde allerede stengt for natten. Hun spurte en gammel mann " +
        "hvilken vei som førte til hotellet, og han pekte mot kirken oppe på bakken. De gikk sakte " +
        "fordi koffertene var tunge, og alle var trøtte etter en så lang reise. Ingen visste hva som " +
        "ville skje etterpå.",
    nn: "Det var alt svært seint då dei endeleg kom fram til den vesle bygda. Gatene var stille, og " +
        "nesten alle butikkane hadde alt stengt for natta. Ho spurde ein gammal mann kva veg som " +
        "førte til hotellet, og han peika mot kyrkja oppe på bakken. Dei gjekk sakte fordi koffertane " +
        "var tunge, og alle var trøytte etter ei så lang reise. Ingen visste kva som ville skje " +
        "etterpå.",
    ru: "Было уже очень поздно, когда они наконец приехали в маленькую деревню. Улицы были тихими, и " +
        "почти все магазины уже закрылись на ночь. Она спросила старика, какая дорога ведёт к " +
        "гостинице, и он показал на церковь на холме. Они шли медленно, потому что чемоданы были " +
        "тяжёлыми, и все устали после такого долгого путешествия. Никто не знал, что будет потом.",
    uk: "Було вже дуже пізно, коли вони нарешті приїхали до маленького села. Вулиці були тихими, і " +
        "майже всі крамниці вже зачинилися на ніч. Вона запитала старого чоловіка, яка дорога веде до " +
        "готелю, і він показав на церкву на пагорбі. Вони йшли повільно, бо валізи були важкі, і всі " +
        "втомилися після такої довгої подорожі. Ніхто не знав, що буде далі.",
    bg: "Беше вече много късно, когато най-накрая пристигнаха в малкото село. Улиците бяха тихи и " +
        "почти всички магазини вече бяха затворени през нощта. Тя попита един старец кой път води до " +
        "хотела, а той посочи църквата на хълма. Вървяха бавно, защото куфарите бяха тежки и всички " +
        "бяха уморени след толкова дълго пътуване. Никой не знаеше какво ще стане после."
};
