#include "Vocabulary.h"

#include <map>

namespace loggen {

namespace {

using Words = std::vector<std::string>;

const std::vector<Board> kBoards = {
    {Family::Main, "hayabusa9", "news", "ニュース速報", Topic::News, Pace::Fast, 3.0, true},
    {Family::Main, "asahi", "newsplus", "ニュース速報+", Topic::News, Pace::Fast, 3.0, false},
    {Family::Main, "hayabusa9", "mnewsplus", "芸スポ速報+", Topic::News, Pace::Fast, 1.5, false},
    {Family::Main, "egg", "bizplus", "ビジネスnews+", Topic::News, Pace::Medium, 0.8, false},
    {Family::Main, "medaka", "pcnews", "PCニュース", Topic::News, Pace::Medium, 0.8, false},
    {Family::Main, "greta", "poverty", "ニュー速(嫌儲)", Topic::News, Pace::Fast, 1.0, true},
    {Family::Main, "eagle", "livejupiter", "なんでも実況J", Topic::Live, Pace::Fast, 3.0, true},
    {Family::Main, "mi", "news4vip", "ニュー速VIP", Topic::Live, Pace::Fast, 2.5, true},
    {Family::Main, "nova", "livegalileo", "なんでも実況G", Topic::Live, Pace::Fast, 0.8, true},
    {Family::Main, "rio2016", "base", "プロ野球", Topic::Live, Pace::Medium, 1.0, false},
    {Family::Main, "lavender", "mlb", "野球総合", Topic::Live, Pace::Medium, 0.5, false},
    {Family::Main, "kizuna", "soccer", "国内サッカー", Topic::Live, Pace::Medium, 0.5, false},
    {Family::Main, "lavender", "keiba", "競馬", Topic::Live, Pace::Medium, 0.6, false},
    {Family::Main, "egg", "software", "ソフトウェア", Topic::Tech, Pace::Slow, 2.0, false},
    {Family::Main, "medaka", "pc", "パソコン一般", Topic::Tech, Pace::Slow, 1.0, false},
    {Family::Main, "medaka", "pcqa", "PC初心者", Topic::Tech, Pace::Slow, 1.2, false},
    {Family::Main, "egg", "jisaku", "自作PC", Topic::Tech, Pace::Slow, 1.5, false},
    {Family::Main, "mevius", "win", "Windows", Topic::Tech, Pace::Slow, 1.5, false},
    {Family::Main, "mao", "linux", "Linux", Topic::Tech, Pace::Slow, 1.2, false},
    {Family::Main, "mevius", "unix", "UNIX", Topic::Tech, Pace::Slow, 1.0, false},
    {Family::Main, "medaka", "prog", "プログラマー", Topic::Tech, Pace::Slow, 1.2, false},
    {Family::Main, "mevius", "tech", "プログラム", Topic::Tech, Pace::Slow, 1.5, false},
    {Family::Main, "mevius", "hard", "ハードウェア", Topic::Tech, Pace::Slow, 0.7, false},
    {Family::Main, "egg", "mac", "新・mac", Topic::Tech, Pace::Slow, 0.6, false},
    {Family::Main, "mevius", "db", "データベース", Topic::Tech, Pace::Slow, 0.4, false},
    {Family::Main, "medaka", "php", "WebProg", Topic::Tech, Pace::Slow, 0.5, false},
    {Family::Main, "medaka", "sec", "セキュリティ", Topic::Tech, Pace::Slow, 0.4, false},
    {Family::Main, "mevius", "internet", "インターネット", Topic::Tech, Pace::Slow, 0.5, false},
    {Family::Main, "egg", "android", "Android", Topic::Tech, Pace::Medium, 0.7, false},
    {Family::Main, "egg", "smartphone", "スマートフォン", Topic::Tech, Pace::Medium, 0.6, false},
    {Family::Main, "egg", "dtm", "DTM", Topic::Tech, Pace::Slow, 0.4, false},
    {Family::Main, "pug", "gamerpg", "家ゲーRPG", Topic::Hobby, Pace::Medium, 1.2, false},
    {Family::Main, "pug", "famicom", "家庭用ゲーム", Topic::Hobby, Pace::Medium, 0.8, false},
    {Family::Main, "krsw", "ghard", "ハード・業界", Topic::Hobby, Pace::Medium, 0.8, false},
    {Family::Main, "krsw", "netgame", "ネットゲーム", Topic::Hobby, Pace::Medium, 0.8, false},
    {Family::Main, "egg", "game", "PCゲーム", Topic::Hobby, Pace::Medium, 0.7, false},
    {Family::Main, "pug", "anime", "アニメ", Topic::Hobby, Pace::Medium, 1.5, false},
    {Family::Main, "kizuna", "anime2", "アニメ２", Topic::Hobby, Pace::Medium, 0.6, false},
    {Family::Main, "fate", "comic", "漫画", Topic::Hobby, Pace::Medium, 1.2, false},
    {Family::Main, "kizuna", "wcomic", "週刊少年漫画", Topic::Hobby, Pace::Medium, 0.6, false},
    {Family::Main, "mevius", "books", "一般書籍", Topic::Generic, Pace::Slow, 0.3, false},
    {Family::Main, "lavender", "mog2", "なんでもあり", Topic::Generic, Pace::Medium, 0.8, false},
    {Family::Main, "mao", "occult", "オカルト", Topic::Generic, Pace::Slow, 0.5, false},
    {Family::Main, "mevius", "rail", "鉄道路線・車両", Topic::Generic, Pace::Slow, 0.5, false},
    {Family::Main, "mevius", "ramen", "ラーメン", Topic::Generic, Pace::Slow, 0.5, false},
    {Family::Main, "kizuna", "cook", "料理", Topic::Generic, Pace::Slow, 0.4, false},
    {Family::Main, "mao", "pet", "ペット大好き", Topic::Generic, Pace::Slow, 0.3, false},
    {Family::Main, "medaka", "car", "車", Topic::Generic, Pace::Slow, 0.4, false},
    {Family::Main, "lavender", "tvd", "テレビドラマ", Topic::Generic, Pace::Medium, 0.4, false},
    {Family::Main, "medaka", "job", "転職", Topic::Generic, Pace::Slow, 0.4, false},
    {Family::Main, "kizuna", "nandemo", "なんでも質問", Topic::Generic, Pace::Medium, 0.4, false},
    {Family::Main, "egg", "stock", "株式", Topic::Generic, Pace::Medium, 0.5, false},
    {Family::Adult, "phoebe", "pinknanmin", "ぴんく難民", Topic::Generic, Pace::Medium, 1.0, false},
    {Family::Adult, "mercury", "pinkqa", "pink初心者", Topic::Generic, Pace::Medium, 1.0, false},
    {Family::Adult, "mercury", "eromog2", "PINKのなんでも", Topic::Generic, Pace::Medium, 1.0,
     false},
    {Family::Regional, "tokyo.machi.to", "tokyo", "東京23区", Topic::Generic, Pace::Slow, 1.0,
     false},
    {Family::Regional, "kanto.machi.to", "kana", "神奈川", Topic::Generic, Pace::Slow, 1.0, false},
    {Family::Regional, "kinki.machi.to", "osaka", "大阪", Topic::Generic, Pace::Slow, 1.0, false},
    {Family::Rental, "jbbs.example.net", "anime", "アニメ", Topic::Hobby, Pace::Slow, 1.0, false},
    {Family::Rental, "jbbs.example.net", "study", "学問", Topic::Generic, Pace::Slow, 1.0, false},
    {Family::Forum, "forum.example.org", "general", "雑談", Topic::Generic, Pace::Slow, 1.0, false},
    {Family::Forum, "forum.example.org", "hobby", "趣味", Topic::Generic, Pace::Slow, 1.0, false},
};

const std::map<std::string, std::string> kDefaultNames = {
    {"news", "番組の途中ですが名無しです"},
    {"newsplus", "名無しさん＠お腹いっぱい。"},
    {"livejupiter", "風吹けば名無し"},
    {"news4vip", "以下、VIPがお送りします"},
    {"prog", "仕様書無しさん"},
    {"tech", "デフォルトの名無しさん"},
    {"linux", "login:Penguin"},
    {"comic", "名無しんぼ＠お腹いっぱい"},
    {"base", "代打名無し"},
};

// Words by Topic (Generic, Tech, News, Live, Hobby).
const std::vector<Words> kNouns = {
    {"晩飯",     "朝ごはん",   "仕事",        "職場",   "上司",   "同僚",       "給料",
     "通勤電車", "天気",       "雨",          "雪",     "台風",   "週末",       "連休",
     "夜勤",     "残業",       "家賃",        "電気代", "実家",   "部屋",       "冷蔵庫",
     "エアコン", "洗濯機",     "布団",        "風呂",   "自転車", "車",         "コンビニ",
     "スーパー", "弁当",       "カップ麺",    "牛丼",   "カレー", "寿司",       "ラーメン屋",
     "ビール",   "缶コーヒー", "アイス",      "猫",     "犬",     "散歩",       "筋トレ",
     "歯医者",   "病院",       "風邪",        "花粉",   "睡眠",   "スマホ",     "財布",
     "宅配便",   "テレビ",     "映画",        "音楽",   "飲み会", "ダイエット", "年末",
     "正月",     "夏休み",     "ボーナス",    "税金",   "月曜日", "金曜日",     "ＰＣ",
     "ｗｉｆｉ", "ＵＳＢ",     "近所のパン屋"},
    {"メモリ",       "ＣＰＵ",       "SSD",          "ＨＤＤ",     "グラボ",     "電源ユニット",
     "マザボ",       "BIOS",         "ドライバ",     "カーネル",   "Windows",    "Windows Update",
     "Linux",        "Ubuntu",       "Debian",       "FreeBSD",    "Mac",        "gcc",
     "clang",        "CMake",        "make",         "Python",     "Perl",       "Ruby",
     "Java",         "C++",          "Rust",         "Go",         "JavaScript", "TypeScript",
     "エディタ",     "vim",          "emacs",        "ターミナル", "シェル",     "bash",
     "git",          "Docker",       "仮想マシン",   "WSL",        "コンパイラ", "リンカ",
     "テンプレート", "ポインタ",     "メモリリーク", "例外処理",   "正規表現",   "文字コード",
     "Shift_JIS",    "UTF-8",        "文字化け",     "改行コード", "ルータ",     "無線LAN",
     "LANケーブル",  "キーボード",   "マウス",       "モニタ",     "ブラウザ",   "サーバ",
     "データベース", "SQL",          "レジストリ",   "パッチ",     "バグ",       "再起動",
     "ログ",         "設定ファイル", "環境変数",     "ライブラリ", "ソース",     "デバッガ",
     "ビルド",       "単体テスト",   "プロセス",     "スレッド",   "ファイル",   "ディレクトリ",
     "ssh",          "DNS",          "プロキシ",     "ノートPC",   "ＩＭＥ",     "フォント",
     "ＡＰＩ",       "セグフォ",     "コアダンプ"},
    {"政府",   "首相",     "日銀",   "株価",     "円安",         "円高",   "消費税",   "選挙",
     "野党",   "与党",     "警察",   "気象庁",   "ガソリン価格", "物価",   "最低賃金", "年金",
     "若者",   "高齢者",   "中国",   "アメリカ", "韓国",         "ロシア", "ＥＵ",     "東京都",
     "大阪府", "マスコミ", "ＮＨＫ", "新聞",     "国会",         "官僚",   "大企業",   "中小企業",
     "ＡＩ",   "少子化",   "景気",   "支持率",   "ＧＤＰ",       "専門家", "記事",     "スレタイ"},
    {"阪神",   "巨人",           "広島",   "中日",       "ヤクルト",   "横浜",   "ソフトバンク",
     "日ハム", "ロッテ",         "楽天",   "西武",       "オリックス", "先発",   "打線",
     "中継ぎ", "抑え",           "監督",   "ホームラン", "ワイ",       "ニキ",   "なんJ民",
     "VIPPER", "深夜のラーメン", "競馬",   "馬券",       "パチンコ",   "ガチャ", "推し",
     "陰キャ", "おっさん",       "ニート", "無職",       "新卒",       "お前ら", "ドラフト",
     "実況",   "審判",           "延長戦", "満塁",       "三振"},
    {"今期アニメ", "作画",         "声優",   "OP",     "ED",         "主人公",     "ヒロイン",
     "最終回",     "原作",         "円盤",   "ボス戦", "レベル上げ", "ラスボス",   "DLC",
     "Switch",     "PS5",          "RPG",    "単行本", "連載",       "作者",       "休載",
     "新刊",       "アニメ化",     "実写化", "二期",   "劇場版",     "ネタバレ",   "考察",
     "伏線",       "推しキャラ",   "BGM",    "難易度", "周回",       "課金",       "イベント",
     "アプデ",     "セーブデータ", "攻略本", "同人誌", "ラノベ",     "異世界転生", "週刊誌",
     "Steam",      "体験版",       "コラボ"},
};

const std::vector<Words> kStock = {
    {"それな",
     "草",
     "ワロタ",
     "禿同",
     "乙",
     "スレ立て乙",
     ">>1乙",
     "知ってた",
     "kwsk",
     "ソースは？",
     "マジかよ",
     "うーん",
     "なるほど",
     "ありがとう、助かった",
     "情報サンクス",
     "おつかれ",
     "それは違うと思う",
     "同意",
     "釣りだろ",
     "テンプレ読め",
     "自己解決した",
     "続きはよ",
     "保守",
     "良スレ",
     "ぬるぽ",
     "おやすみ",
     "おはよう",
     "ただいま",
     "ｷﾀ━━━(ﾟ∀ﾟ)━━━!!",
     "（´・ω・｀）"},
    {"再起動したら直った",   "自己解決しました",
     "バージョン書けよ",     "環境を書け",
     "エラーメッセージ貼れ", "それは仕様",
     "ソース読め",           "ドキュメント嫁",
     "makeが通らない",       "コンパイルは通るけど動かない",
     "セグフォで落ちる",     "printfデバッグ最強",
     "Linuxでやれ",          "メモリ増設しろ",
     "HDDが逝った",          "SSDにしたら爆速",
     "manくらい読め",        "#include <stdio.h>",
     "100%再現する",         "CPU使用率が100%のまま"},
    {"ソースは？", "またか", "これはひどい", "誰が得するんだ", "だから言ったのに", "マスゴミ",
     "どうせすぐ忘れる", "スレタイだけ読んだ", "記事読めよ", "まあそうなるな", "税金の無駄",
     "結論ありき", "前年比120%とか盛りすぎ"},
    {"草", "ンゴ", "ファッ！？", "ぐう正論", "有能", "無能", "ええんやで", "あっ…", "これマジ？",
     "ワイもや", "ほんこれ", "やきう", "あかん", "たまげたなあ", "は？", "しゃーない", "はよ寝ろ",
     "それはそう"},
    {"神回", "作画すごい", "来週が楽しみ", "ネタバレやめろ", "原作読め", "二期はよ", "円盤買う",
     "推しが尊い", "BGMがいい", "ガチャ爆死した", "石が足りない", "周回だるい", "ラスボス強すぎ",
     "名作", "クソゲー", "神ゲー", "完全に理解した", "続きが気になる"},
};

const Words kHalfWidth = {
    "ﾜﾛﾀ",      "ﾏｼﾞｶﾖ", "ｽｹﾞｰ",  "(ﾟдﾟ)ｳﾏｰ",         "ｶﾞｸｶﾞｸﾌﾞﾙﾌﾞﾙ", "ｵﾏｴﾓﾅｰ", "ﾅｲﾅｲ", "ｻｰｾﾝ",
    "ｸﾞｯｼﾞｮﾌﾞ", "ﾀﾞﾒﾎﾟ", "ｵﾂｶﾚｰ", "(´・ω・｀)ｼｮﾎﾞｰﾝ", "ﾎﾟｶｰﾝ",        "ｹﾞﾗｹﾞﾗ", "ﾔｯﾀｰ", "ｲﾗﾈ"};

const Words kPredicates = {"重い",       "遅い",     "速い",     "便利",     "微妙",       "神",
                           "糞",         "最高",     "高すぎる", "安い",     "安定してる", "不安定",
                           "使いにくい", "面白い",   "つまらん", "意味不明", "懐かしい",   "ひどい",
                           "優秀",       "オワコン", "うざい",   "かわいい", "強い",       "弱い",
                           "怪しい",     "普通",     "ヤバい",   "謎",       "ありがたい", "眠い"};
const Words kEndings = {"",     "",           "",       "",         "。", "な",     "よな",
                        "わ",   "ｗ",         "ｗｗｗ", "www",      "…",  "！",     "？",
                        "orz",  "(´・ω・｀)", "（笑）", "ぞ",       "ね", "じゃん", "だろ",
                        "やで", "ｗｗ",       "!!",     "(；´Д｀)", "ﾜﾛﾀ"};
const Words kWhen = {"今日",       "さっき", "昨日から", "朝から",   "最近", "毎日",
                     "久しぶりに", "今更",   "夜中に",   "仕事中に", "先週", "今年に入ってから"};
const Words kAfter = {"使ってみたら",   "入れ直したら", "再起動したら", "更新したら",
                      "設定を変えたら", "買い替えたら", "見てきたら",   "調べたら",
                      "試したら",       "放置したら",   "消したら"};
const Words kResults = {"直った",     "余計に悪化した",   "何も変わらなかった", "普通に動いた",
                        "落ちた",     "起動しなくなった", "快適になった",       "半分になった",
                        "倍になった", "意味なかった"};
const Words kDoing = {"使ってる", "待ってる", "見てる",   "探してる",
                      "悩んでる", "やってる", "調べてる", "迷ってる"};
const Words kWants = {"使いたい", "入れたい", "消したい", "変えたい",
                      "買いたい", "知りたい", "やめたい", "直したい"};
const Words kNumbers = {"2", "3", "5", "10", "２", "３", "１０", "20"};

// Placeholders: {N} {M} nouns, {A} predicate, {E} ending, {W} when, {V} after doing,
// {R} result, {G} doing, {Q} wanting, {K} a number.
const Words kLineTemplates = {
    "{N}が{A}{E}",
    "{N}って{A}？",
    "{N}を{V}{R}{E}",
    "{N}の{M}が{A}{E}",
    "{W}{N}{G}{E}",
    "正直{N}は{A}{E}",
    "{N}なら{M}でいいだろ",
    "それ{N}じゃなくて{M}{E}",
    "{N}が{A}って言う奴は{M}使ったことないだろ",
    "うちの{N}も{R}{E}",
    "{N}、{A}{E}",
    "{N}で{M}{Q}んだけど、どうすればいい？",
    "{K}年ぶりに{N}見たけど{A}{E}",
    "{N}は{M}より{A}{E}",
    "{N}はもう{A}{E}",
    "{N}とか{M}とか{A}{E}",
    "なんで{N}ってこうなんだ",
    "{N}に{K}万円かけた{E}",
    "{N}の話はもういい{E}",
    "{N}のせいで{M}が{R}",
    "{W}{N}を{V}{M}が{R}",
    "{N}詳しい人いる？",
    "ワイの{N}、{R}",
    "{N}スレってここでいいの？",
    "{W}{N}が{A}気がする",
};

const std::vector<Words> kAsciiArt = {
    {"　 ∧＿∧", "　（　´∀｀）", "　（　　　　）", "　｜ ｜　|", "　（_＿）＿）"},
    {"　　（´・ω・｀）", "　　（　　つ旦O", "　　と＿）＿）　旦"},
    {"┏━━━━━━━━━┓", "┃　　　　　　　　　┃", "┃　　ｷﾀ━━!!　　┃", "┃　　　　　　　　　┃",
     "┗━━━━━━━━━┛"},
    {"　　 ∧∧", "　　(ﾟдﾟ)", "　 ⊂　 つ", "　　 ｜　｜", "　　 し^J"},
    {"＿|￣|○"},
    {"━━━━━━━━━━━━━━━", "　　　(ﾟ∀ﾟ)　　　", "━━━━━━━━━━━━━━━"},
    {"☆・゜・。・゜★・゜・。・゜☆", "　　　　♪～(´ε｀ )", "☆・゜・。・゜★・゜・。・゜☆"},
    {"Σ(ﾟДﾟ；)", "　　 ≡≡≡≡ヽ(`Д´)ﾉ"},
    {"　　　　　 ∧＿∧", "　　　　　（　・∀・）", "　　　　　（　∪ ∪", "　　　　　と＿_）__）"},
    {"   _____", "  /     \\", " | () () |", "  \\  ^  /", "   |||||"},
    {"　 ∧_∧　　　∧_∧", "　(；´Д｀)　 （　´_ゝ｀）", "　/　　 ヽ　　/　　 ヽ"},
};

const Words kNewsTags = {"速報", "悲報", "朗報", "社会", "政治",   "経済",
                         "国際", "IT",   "芸能", "話題", "ネット", "科学"};
const Words kNewsWho = {"政府",   "総務省", "日銀",         "大手コンビニ",
                        "東京都", "気象庁", "経団連",       "警視庁",
                        "厚労省", "国交省", "大手通信各社", "大手家電メーカー"};
const Words kNewsThing = {"消費税",   "レジ袋",     "ガソリン",          "電気料金",
                          "最低賃金", "携帯料金",   "年金制度",          "電子マネー",
                          "自動運転", "週休３日制", "住宅ローン",        "高速道路料金",
                          "再配達",   "テレワーク", "キャッシュレス決済"};
const Words kNewsWhat = {"の値上げを発表",   "を全面禁止へ",     "の導入を検討",
                         "の調査結果を公表", "を来年から無料化", "の規制強化を検討",
                         "で過去最高を記録", "の見直しを表明",   "を廃止へ",
                         "の延期を決定"};
const Words kNewsPlace = {"東京都", "大阪市", "札幌市", "名古屋市", "福岡県", "渋谷",
                          "新宿駅", "秋葉原", "横浜市", "京都市",   "仙台市"};
const Words kNewsIncident = {
    "震度４の地震", "大規模停電",       "記録的大雨", "住宅火災",
    "通信障害",     "観測史上最高気温", "謎の行列",   "システム障害で改札が停止"};
const Words kNewsPerson = {"首相", "財務相", "専門家", "大手ＩＴ社長", "都知事", "経済学者"};
const Words kNewsQuote = {"国民の理解は得られている", "景気は緩やかに回復している",
                          "ネットの声は気にしない",   "説明責任は果たした",
                          "検討を加速する",           "遺憾である"};

const Words kLiveTeams = {"阪神",         "巨人",   "広島",   "中日", "ヤクルト", "横浜",
                          "ソフトバンク", "日ハム", "ロッテ", "楽天", "西武",     "オリックス"};
const Words kLiveActs = {
    "今日も仕事サボる", "晩飯にカップ麺を食う",   "三日ぶりに風呂に入る", "プログラミングを始める",
    "寝坊して遅刻確定", "ボーナスで自作PCを組む", "実家に帰る",           "競馬で全財産を賭ける"};
const Words kLiveNews = {"ワイの給料、手取り15万",
                         "コンビニ弁当また値上げ",
                         "終電を逃す",
                         "ワイのPC、起動しなくなる",
                         "明日から雨",
                         "冷蔵庫が壊れる"};
const Words kLiveEvents = {"今日も逆転負け", "10連勝",     "サヨナラ勝ち",
                           "監督解任へ",     "最下位確定", "優勝マジック点灯"};
const Words kLiveFood = {"カレー", "ラーメン", "寿司", "牛丼", "ピザ", "唐揚げ"};

const Words kWorks = {"星降る夜の交響曲",
                      "魔法少女ルナ☆スター",
                      "転生したら社畜だった件",
                      "勇者と魔王の定時退社",
                      "銀河の向こう側",
                      "剣舞伝説",
                      "僕らの放課後戦争",
                      "月影の狂詩曲",
                      "幻想物語Ⅱ",
                      "時の迷宮",
                      "竜の心臓オンライン",
                      "猫と魔女の喫茶店",
                      "蒼天の開拓者",
                      "あやかし商店街",
                      "永遠の冒険Ⅴ"};
const Words kPlatforms = {"PS5", "Switch", "PS4", "Steam", "スマホ", "ＰＣ"};

const Words kTechSeries = {"{t} 質問スレッド Part{n}", "{t}総合スレ Part{n}", "{t} 初心者スレ {n}",
                           "【{t}】雑談スレ Part{n}",  "{t}を語るスレ {n}",   "{t} Part{n}",
                           "{t}相談室 その{n}"};
const Words kHobbySeries = {"{t} Part{n}",           "{t} 攻略スレ Part{n}", "【{p}】{t} Lv{n}",
                            "{t} ネタバレスレ {n}",  "{t} 第{n}話",          "{t} 雑談スレ Part{n}",
                            "今期アニメ総合スレ {n}"};
const Words kGenericSeries = {"{t}スレ Part{n}", "【雑談】{t} {n}", "{t}について語るスレ {n}",
                              "{t}総合 Part{n}", "{t}★{n}"};

const std::map<std::string, Words> kBoardTopics = {
    {"software",
     {"テキストエディタ", "ファイラー", "画像ビューア", "圧縮解凍ソフト", "動画プレイヤー",
      "ランチャー", "バックアップソフト", "メールソフト"}},
    {"pc", {"パソコン雑談", "ノートPC", "中古PC", "PC購入相談"}},
    {"pcqa", {"PC初心者", "BTOパソコン", "Windows初心者"}},
    {"jisaku", {"Ryzen", "Core i7", "グラボ", "電源", "マザーボード", "SSD", "CPUクーラー"}},
    {"win", {"Windows 11", "Windows 10", "Windows Update", "PowerShell"}},
    {"linux", {"Ubuntu", "Debian", "Arch Linux", "Linux Mint", "Linux初心者"}},
    {"unix", {"FreeBSD", "シェルスクリプト", "sed/awk", "vi", "UNIX質問"}},
    {"prog", {"プログラマーの雑談", "新人プログラマー", "フリーランス", "在宅勤務"}},
    {"tech",
     {"C++", "C言語", "Python", "Rust", "Go言語", "Java", "C#", "JavaScript", "正規表現",
      "アルゴリズム"}},
    {"ramen", {"家系ラーメン", "二郎系", "博多とんこつ", "札幌味噌"}},
    {"cook", {"カレー", "弁当", "圧力鍋", "自炊"}},
    {"car", {"軽自動車", "ハイブリッド車", "中古車", "車検"}},
    {"stock", {"日経平均", "高配当株", "米国株"}},
    {"base", {"阪神タイガース", "読売ジャイアンツ", "広島カープ", "プロ野球総合"}},
    {"keiba", {"競馬予想", "有馬記念", "日本ダービー", "地方競馬"}},
    {"rail", {"山手線", "新幹線", "通勤電車", "私鉄"}},
};
const Words kGenericTopics = {"雑談", "質問", "なんでも雑談", "初心者質問", "情報交換"};

const Words kHandles = {"ななしのごんべ",
                        "通りすがりのプログラマー",
                        "ｍｏｎａ",
                        "kaz",
                        "ほげほげ",
                        "タロウ",
                        "774",
                        "C++使い",
                        "ねこまんま",
                        "ｋｅｎ",
                        "へたれ",
                        "しがないSE",
                        "ぬこ",
                        "じゅげむ"};
const char kTripChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789./";

const Words kWikipedia = {
    "%E6%AD%A3%E8%A6%8F%E8%A1%A8%E7%8F%BE", "%E6%96%87%E5%AD%97%E3%82%B3%E3%83%BC%E3%83%89",
    "%E6%9D%B1%E4%BA%AC%E9%83%BD",          "%E9%89%84%E9%81%93",
    "%E3%83%A9%E3%83%BC%E3%83%A1%E3%83%B3", "%E7%8C%AB"};
const Words kUrlPrefixes = {"", "", "", "ソース ", "参考: ", "これ → ", "動画: "};

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

// Replaces each "{x}" of a CP932 template with what fill('x') gives; a '{' that is the trail
// byte of a double-byte character is left alone.
template <class Fill> std::string expand(const std::string& tpl, Fill fill) {
    std::string out;
    out.reserve(tpl.size() * 2);
    for (std::size_t i = 0; i < tpl.size(); ++i) {
        const unsigned char c = tpl[i];
        if (isLeadByte(c) && i + 1 < tpl.size()) {
            out += tpl[i];
            out += tpl[++i];
        } else if (c == '{' && i + 2 < tpl.size() && tpl[i + 2] == '}') {
            out += fill(tpl[i + 1]);
            i += 2;
        } else {
            out += tpl[i];
        }
    }
    return out;
}

std::string number(long n) {
    return std::to_string(n);
}

std::string makeLine(Random& r, Topic topic) {
    const std::size_t t = static_cast<std::size_t>(topic);
    const double x = r.uniform();
    if (x < 0.10) return r.pick(kStock[0]);
    if (x < 0.15) return r.pick(kHalfWidth);
    if (x < 0.24) return r.pick(kStock[t]);
    auto fillOnce = [&] {
        const Words& nouns = r.chance(0.7) ? kNouns[t] : kNouns[0];
        return expand(r.pick(kLineTemplates), [&](char k) -> std::string {
            switch (k) {
            case 'N':
            case 'M':
                return r.pick(nouns);
            case 'A':
                return r.pick(kPredicates);
            case 'E':
                return r.pick(kEndings);
            case 'W':
                return r.pick(kWhen);
            case 'V':
                return r.pick(kAfter);
            case 'R':
                return r.pick(kResults);
            case 'G':
                return r.pick(kDoing);
            case 'Q':
                return r.pick(kWants);
            case 'K':
                return r.pick(kNumbers);
            }
            return {};
        });
    };
    std::string s = fillOnce();
    if (r.chance(0.18)) {
        static const Words kStops = {"？", "！", "。", "…"};
        bool stopped = false;
        for (const std::string& e : kStops)
            stopped = stopped ||
                      (s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0);
        s += (stopped ? "" : "。") + fillOnce();
    }
    return s;
}

std::string randomChars(Random& r, std::size_t n, std::size_t alphabet) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += kTripChars[r.below(alphabet)];
    return s;
}

std::string makeUrl(Random& r) {
    std::string u;
    const double x = r.uniform();
    if (x < 0.25)
        u = "ttp://www.example.com/blog/" + number(r.between(100, 999999)) + ".html";
    else if (x < 0.45)
        u = "https://www.youtube.com/watch?v=" + randomChars(r, 11, 62);
    else if (x < 0.58)
        u = "ttps://ja.wikipedia.org/wiki/" + r.pick(kWikipedia);
    else if (x < 0.70)
        u = "ttp://i.imgur.com/" + randomChars(r, 7, 62) + (r.chance(0.5) ? ".jpg" : ".png");
    else if (x < 0.80)
        u = "https://x.com/example/status/" + number(r.between(100000000, 999999999)) +
            number(r.between(100000000, 999999999));
    else if (x < 0.90)
        u = "http://www.example.co.jp/news/" + number(r.between(2008, 2024)) + "/" +
            number(r.between(1, 99999)) + ".html";
    else
        u = "ttps://github.com/example/tool/issues/" + number(r.between(1, 4000));
    return r.pick(kUrlPrefixes) + u;
}

} // namespace

const std::vector<Board>& allBoards() {
    return kBoards;
}

const std::string& defaultName(const Board& board) {
    static const std::string kFamilyDefault[] = {"名無しさん＠お腹いっぱい。",
                                                 "名無しさん＠ピンキー", "名無しさん", "名無しさん",
                                                 "名無しさん"};
    if (board.family == Family::Main) {
        auto it = kDefaultNames.find(board.dir);
        if (it != kDefaultNames.end()) return it->second;
    }
    return kFamilyDefault[static_cast<int>(board.family)];
}

const char* bbsLabel(Family family) {
    switch (family) {
    case Family::Main:
        return "２ちゃんねる";
    case Family::Adult:
        return "ＢＢＳＰＩＮＫ";
    case Family::Regional:
        return "まちＢＢＳ";
    case Family::Rental:
        return "ＪＢＢＳ";
    case Family::Forum:
        return "";
    }
    return "";
}

Vocabulary::Vocabulary(std::string_view seed) {
    Random r(seed, "vocabulary");
    // A few thousand distinct lines per topic: enough variety that word statistics look
    // like a real user's, few enough that the generator stays fast.
    for (int t = 0; t < 5; ++t) {
        std::vector<std::string> pool;
        for (int i = 0; i < 4000; ++i) pool.push_back(makeLine(r, static_cast<Topic>(t)));
        pools_.push_back(std::move(pool));
    }
    for (int i = 0; i < 400; ++i) urls_.push_back(makeUrl(r));
    art_ = kAsciiArt;
}

const std::string& Vocabulary::line(Random& r, Topic topic) const {
    return r.pick(pools_[static_cast<std::size_t>(topic)]);
}

std::vector<std::string> Vocabulary::handles(Random& r) const {
    std::string a = r.pick(kHandles);
    std::string b = r.pick(kHandles);
    return {a, b, a + "#" + randomChars(r, 8, 64), b + "#" + randomChars(r, 8, 64)};
}

ThreadTitle Vocabulary::title(Random& r, const Board& board) const {
    ThreadTitle out;
    if (board.topic == Topic::News && board.oneOff) {
        std::string s;
        const double x = r.uniform();
        if (x < 0.4)
            s = r.pick(kNewsWho) + "、" + r.pick(kNewsThing) + r.pick(kNewsWhat);
        else if (x < 0.7)
            s = r.pick(kNewsPlace) + "で" + r.pick(kNewsIncident);
        else
            s = r.pick(kNewsPerson) + "「" + r.pick(kNewsQuote) + "」";
        out.text = "【" + r.pick(kNewsTags) + "】" + s;
        if (r.chance(0.3)) out.text += "★" + number(r.between(2, 6));
        return out;
    }
    if (board.oneOff) {
        const double x = r.uniform();
        if (x < 0.25)
            out.text = "ワイ、" + r.pick(kLiveActs);
        else if (x < 0.45)
            out.text = (r.chance(0.5) ? "【悲報】" : "【朗報】") + r.pick(kLiveNews);
        else if (x < 0.6)
            out.text = r.pick(kLiveTeams) + "、" + r.pick(kLiveEvents);
        else if (x < 0.75)
            out.text = r.pick(kLiveFood) + "ってなんでこんなに美味いの？";
        else if (x < 0.9)
            out.text = number(r.between(19, 45)) + "歳無職だけど質問ある？";
        else
            out.text = "【実況】" + r.pick(kLiveTeams) + "vs" + r.pick(kLiveTeams) + " ★" +
                       number(r.between(1, 30));
        return out;
    }
    std::string topic;
    const Words* series = &kGenericSeries;
    if (board.topic == Topic::Hobby) {
        topic = r.pick(kWorks);
        series = &kHobbySeries;
    } else {
        auto it = kBoardTopics.find(board.dir);
        if (it != kBoardTopics.end())
            topic = r.pick(it->second);
        else if (board.topic == Topic::Tech)
            topic = r.pick(kBoardTopics.at("tech"));
        else if (board.topic == Topic::News)
            topic = r.pick(kNewsThing);
        else if (board.family == Family::Regional)
            topic = board.name + "の雑談";
        else
            topic = r.pick(kGenericTopics);
        if (board.topic == Topic::Tech) series = &kTechSeries;
    }
    const std::string platform = r.pick(kPlatforms);
    out.series = expand(r.pick(*series), [&](char k) -> std::string {
        if (k == 't') return topic;
        if (k == 'p') return platform;
        return "{n}";
    });
    out.part = r.chance(0.8) ? r.between(2, 250) : r.between(251, 999);
    out.text = seriesTitle(out.series, out.part);
    return out;
}

std::string seriesTitle(const std::string& series, int part) {
    return expand(series, [&](char) { return number(part); });
}

} // namespace loggen
