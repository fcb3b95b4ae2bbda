// The Chinese edition is data only: the compiled .qm files this library
// carries as resources under :/i18n/. setEdition() loads them.
