#include "controls/ProButton.h"

#include "controls/CommonDialogForm.h"
#include "runtime/HelpRequests.h"
#include "runtime/ModalResult.h"
#include "runtime/Store.h"

#include <array>

namespace {

struct TButtonFamily {
    TModalResult result;
    bool isDefault;
    bool cancel;
    // English, Russian, Ukrainian, French, Portuguese, Spanish, German, Danish.
    std::array<const char*, DialogLanguageCount> captions;
};

constexpr TButtonFamily OkFamily = {
    mrOk, true, false, {"OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK"}};

// From pbkCancel on, eight kinds a family.
constexpr std::array<TButtonFamily, 13> Families = {{
    {mrCancel,
     false,
     true,
     {"Cancel", "Отмена", "Відміна", "Annuler", "Cancela", "Cancelar", "Abbrechen", "Annuller"}},
    {mrNone,
     false,
     false,
     {"&Help", "&Справка", "&Довідка", "&Aide", "&Ajuda", "Ay&uda", "&Hilfe", "&Hjælp"}},
    {mrYes, true, false, {"&Yes", "&Да", "&Так", "&Oui", "&Sim", "&Si", "&Ja", "&Ja"}},
    {mrNo, false, true, {"&No", "&Нет", "&Ні", "&Non", "&Não", "&No", "&Nein", "&Nej"}},
    {mrNone,
     false,
     false,
     {"&Close", "&Закрыть", "&Закрити", "&Fermer", "&Fechar", "&Cerrar", "&Schließen", "&Luk"}},
    {mrAbort,
     false,
     false,
     {"Abort", "Прервать", "Перервати", "Abandonner", "Abortar", "Abortar", "Abbrechen", "Afbryd"}},
    {mrRetry,
     false,
     false,
     {"&Retry", "&Повторить", "&Повторити", "&Réessayer", "&Repetir", "&Reintentar", "&Wiederholen",
      "&Prøv igen"}},
    {mrIgnore,
     false,
     false,
     {"&Ignore", "П&ропустить", "П&ропустити", "&Ignorer", "&Ignorar", "&Ignorar", "&Ignorieren",
      "&Ignorer"}},
    {mrAll, false, false, {"&All", "&Все", "&Усі", "&Tous", "&Todos", "&Todos", "&Alle", "&Alle"}},
    {mrDone,
     true,
     false,
     {"&Done", "&Готово", "&Готово", "&Terminé", "&Concluído", "&Hecho", "&Fertig", "&Udført"}},
    {mrNone,
     false,
     false,
     {"< &Back", "< &Назад", "< &Назад", "< &Précédent", "< &Voltar", "< &Atrás", "< &Zurück",
      "< &Tilbage"}},
    {mrNone,
     true,
     false,
     {"&Next >", "&Далее >", "&Далі >", "&Suivant >", "&Avançar >", "&Siguiente >", "&Weiter >",
      "&Næste >"}},
    {mrFinish,
     true,
     false,
     {"&Finish", "&Завершить", "&Завершити", "&Terminer", "&Concluir", "&Finalizar",
      "&Fertig stellen", "&Afslut"}},
}};

// pbkCustom has no family.
const TButtonFamily& FamilyOf(TProButtonKind kind) {
    return kind == pbkOk ? OkFamily : Families[(kind - pbkCancel) / DialogLanguageCount];
}

TProButtonKind EnglishKindOf(TProButtonKind kind) {
    if (kind < pbkCancel)
        return kind;
    return static_cast<TProButtonKind>(kind - (kind - pbkCancel) % DialogLanguageCount);
}

} // namespace

TProButton::TProButton(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, [this] { Clicked(); });
}

QString TProButton::KindCaption(TProButtonKind kind) {
    if (kind == pbkCustom)
        return {};
    const int language = kind == pbkOk ? 0 : (kind - pbkCancel) % DialogLanguageCount;
    return QString::fromUtf8(FamilyOf(kind).captions[language]);
}

void TProButton::SetKind(TProButtonKind kind) {
    if (!Store(kind_, kind) || kind == pbkCustom)
        return;
    const TButtonFamily& family = FamilyOf(kind);
    setText(KindCaption(kind));
    modalResult_ = family.result;
    default_ = family.isDefault;
    setDefault(family.isDefault);
    cancel_ = family.cancel;
}

void TProButton::SetModalResult(TModalResult result) {
    modalResult_ = result;
    KeepKindIfStillTrue();
}

void TProButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    setDefault(isDefault);
    KeepKindIfStillTrue();
}

void TProButton::SetCancel(bool cancel) {
    cancel_ = cancel;
    KeepKindIfStillTrue();
}

void TProButton::KeepKindIfStillTrue() {
    if (kind_ == pbkCustom)
        return;
    const TButtonFamily& family = FamilyOf(kind_);
    if (modalResult_ != family.result || default_ != family.isDefault || cancel_ != family.cancel)
        kind_ = pbkCustom;
}

int TProButton::HelpTopic() const {
    if (helpContext_ != 0)
        return helpContext_;
    for (const QWidget* parent = parentWidget(); parent; parent = parent->parentWidget())
        if (const auto* form = qobject_cast<const TCommonDialogForm*>(parent);
            form && form->HelpContext() != 0)
            return form->HelpContext();
    return 0;
}

void TProButton::Clicked() {
    const TProButtonKind family = EnglishKindOf(kind_);
    if (family == pbkHelp) {
        if (const int topic = HelpTopic(); topic != 0) {
            THelpRequests::ShowTopic(topic);
            return;
        }
    } else if (family == pbkClose) {
        window()->close();
        return;
    }
    if (modalResult_ == mrNone)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(modalResult_);
}
